#pragma once
// The plain key expressions most tags use (a field, UPPER or LOWER of one, joins of
// them with + and -, a logical field or DELETED(), and their negation) as a few steps
// over the record bytes: the evaluator's key bytes without its per-node buffers.

#include <cstdint>
#include <vector>

#include "xbase/expression.h"

namespace xb {

class KeyPlan {
public:
    enum class Fold : uint8_t { None, Upper, Lower };

    // Steps are added from the expression's root down; each false leaves the shape
    // to the evaluator.
    // Record bytes, folded as the enclosing UPPER or LOWER asks (the outermost wins).
    void copy(int offset, int width);
    // A logical key: whether the byte at offset marks true (T, t, Y, y; for the
    // delete mark, *).
    void truth(int offset, bool deleteMark);
    bool negate();
    // A - join: its start, before the left side; its left side's trailing blanks
    // taken off, after it; and put back at the end, after the right side.
    bool startJoin();
    void trimLeft();
    void padMoved();
    Fold enterFold(Fold fold);
    void leaveFold(Fold was) { fold_ = was; }
    int width() const { return width_; }

    // Whether the steps give every key of an expression of this type and width.
    bool covers(ValueType type, int width) const;
    // The record's key, width() bytes (one for a logical key).
    void run(const char* record, uint8_t* out) const;

private:
    static constexpr int kMaxDepth = 8;
    enum class Op : uint8_t { Copy, Truth, Start, Trim, Pad };
    struct Step {
        Op op;
        Fold fold;
        bool deleteMark;
        bool negated;
        uint32_t offset;
        uint32_t width;
    };
    std::vector<Step> steps_;
    Fold fold_ = Fold::None;
    int width_ = 0;
    int depth_ = 0;
};

} // namespace xb
