#pragma once
// Nodes of a compiled expression tree. Each node has a fixed result type; the
// parser checks types, so evaluation never has to. Character nodes give a view of
// bytes that stay valid until the node is evaluated again (record bytes, literal
// text, or the node's own scratch buffer), so evaluation does not allocate once the
// buffers have grown.

#include "xbase/expression.h"
#include "xbase/key_plan.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xb {

class Node {
public:
    Node(ValueType type, int width) : type_(type), width_(width) {}
    virtual ~Node() = default;
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    ValueType type() const { return type_; }
    int width() const { return width_; }

    virtual bool logical(const EvalContext&) const { return false; }
    virtual double number(const EvalContext&) const { return 0; }
    virtual std::string_view text(const EvalContext&) const { return {}; }

    // A literal's value, known without a record (used for widths).
    virtual bool constantNumber(double&) const { return false; }
    // Field names read by this node and its children.
    virtual void collectFields(std::vector<std::string>&) const {}
    // Adds the node's steps to a key plan; false for a shape it has none for.
    virtual bool plan(KeyPlan&) const { return false; }

private:
    ValueType type_;
    int width_;
};

using NodePtr = std::unique_ptr<Node>;

// Leaves.
NodePtr makeFieldNode(const DbfField& field);
NodePtr makeTextConstant(std::string value);
NodePtr makeNumberConstant(double value);
NodePtr makeLogicalConstant(bool value);

// Operators; the parser has checked the operand types.
enum class CompareOp { Equal, ExactEqual, NotEqual, Less, LessEqual, Greater, GreaterEqual, Contains };
NodePtr makeNot(NodePtr operand);
NodePtr makeNegate(NodePtr operand);
NodePtr makeAndOr(bool isAnd, NodePtr lhs, NodePtr rhs);
NodePtr makeCompare(CompareOp op, NodePtr lhs, NodePtr rhs);
NodePtr makeConcat(bool moveBlanks, NodePtr lhs, NodePtr rhs); // + and - on texts
// + - * / % on numbers, and date +/- number, date - date.
NodePtr makeArithmetic(char op, NodePtr lhs, NodePtr rhs, ValueType resultType);

// String comparison of the = and ordering operators: with exact off only as many
// bytes as the right side has take part; with it on the shorter side is padded with
// blanks. Bytes compare by value. Negative, zero or positive.
int compareText(std::string_view lhs, std::string_view rhs, bool exact);

// Julian day numbers for dates; 0 is the blank date.
double julianFromDigits(std::string_view yyyymmdd);
void digitsFromJulian(double julian, char out[8]);

// A number right-aligned in width with the given decimals, halves rounded away
// from zero; stars when it does not fit.
void formatFixed(double value, int width, int decimals, std::string& out);

// A number as plain decimal text: no exponent, no trailing zeros.
std::string plainDecimal(double value);

} // namespace xb
