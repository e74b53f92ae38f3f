#pragma once
// A compiled xBase expression. The text is parsed once against a table's fields;
// evaluation then runs over raw record bytes without allocating, so filters and
// index keys can be computed over whole tables quickly.
//
//   std::string error;
//   auto e = xb::Expression::compile("UPPER(LNAME)=\"SMITH\"", table.fields(), error);
//   xb::EvalContext ctx{record, recno, recordCount, exact};
//   bool match = e->evalLogical(ctx);
//
// Character results have a fixed width known at compile time (the most bytes the
// expression can give); index keys are the value blank-padded to that width.

#include "xbase/dbf_header.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xb {

enum class ValueType { Character, Numeric, Date, Logical };

// What an expression sees of the record it is evaluated on.
struct EvalContext {
    const char* record = nullptr; // recordLength bytes, delete mark first
    long recno = 0;               // RECNO()
    long recordCount = 0;         // RECCOUNT()
    bool exact = false;           // the exact switch for = and the ordering operators
};

class Node;
class KeyPlan;

class Expression {
public:
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;

    // nullptr and a message on a syntax error, an unknown field or function, or a
    // type mismatch.
    static std::unique_ptr<Expression> compile(std::string_view text, const std::vector<DbfField>& fields,
                                               std::string& error);

    const std::string& text() const { return text_; }
    ValueType type() const;
    int width() const; // character results: the fixed width; others: their key size

    // Each asks for the type the expression has; another is a programming error.
    bool evalLogical(const EvalContext& ctx) const;
    double evalNumeric(const EvalContext& ctx) const; // numbers; dates as Julian day numbers (0 blank)

    // Index key bytes: characters blank-padded (or cut) to width(); logicals "T" or
    // "F"; numbers and dates as 8 bytes of a host-order double (the index layer
    // turns them into order-preserving bytes).
    void keyBytes(const EvalContext& ctx, std::string& out) const;

    // The value as text: characters as they are, logicals .T./.F., numbers in plain
    // decimal, dates as yyyymmdd.
    std::string display(const EvalContext& ctx) const;

    // The expression as direct steps over the record bytes, when it has one of the
    // plain shapes KeyPlan takes; false otherwise.
    bool keyPlan(KeyPlan& plan) const;

    // True when the expression reads the named field (any case).
    bool usesField(std::string_view name) const;

private:
    Expression();
    std::string text_;
    std::unique_ptr<Node> root_;
    std::vector<std::string> fieldsUsed_;
};

const char* valueTypeName(ValueType type);

} // namespace xb
