#include "xbase/key_plan.h"

#include <cstring>

#include "xbase/codepage.h"

namespace xb {

void KeyPlan::copy(int offset, int width)
{
    // Neighbouring fields (LNAME+FNAME) are one copy and one fold.
    if (!steps_.empty()) {
        Step& last = steps_.back();
        if (last.op == Op::Copy && last.fold == fold_ && last.offset + last.width == uint32_t(offset)) {
            last.width += uint32_t(width);
            width_ += width;
            return;
        }
    }
    steps_.push_back({Op::Copy, fold_, false, false, uint32_t(offset), uint32_t(width)});
    width_ += width;
}

void KeyPlan::truth(int offset, bool deleteMark)
{
    steps_.push_back({Op::Truth, Fold::None, deleteMark, false, uint32_t(offset), 1});
    width_ += 1;
}

bool KeyPlan::negate()
{
    if (steps_.empty() || steps_.back().op != Op::Truth)
        return false;
    steps_.back().negated = !steps_.back().negated;
    return true;
}

bool KeyPlan::startJoin()
{
    if (depth_ == kMaxDepth)
        return false;
    steps_.push_back({Op::Start, Fold::None, false, false, 0, 0});
    ++depth_;
    return true;
}

void KeyPlan::trimLeft()
{
    steps_.push_back({Op::Trim, Fold::None, false, false, 0, 0});
}

void KeyPlan::padMoved()
{
    steps_.push_back({Op::Pad, Fold::None, false, false, 0, 0});
    --depth_;
}

KeyPlan::Fold KeyPlan::enterFold(Fold fold)
{
    const Fold was = fold_;
    if (fold_ == Fold::None)
        fold_ = fold;
    return was;
}

bool KeyPlan::covers(ValueType type, int width) const
{
    if (type == ValueType::Logical)
        return steps_.size() == 1 && steps_[0].op == Op::Truth;
    return type == ValueType::Character && width == width_ && depth_ == 0;
}

void KeyPlan::run(const char* record, uint8_t* out) const
{
    uint32_t len = 0;
    // Per open join: where it starts, then how many blanks its left side gave up.
    uint32_t joins[kMaxDepth];
    int depth = 0;
    for (const Step& s : steps_) {
        switch (s.op) {
        case Op::Copy: {
            char* to = reinterpret_cast<char*>(out) + len;
            std::memcpy(to, record + s.offset, s.width);
            if (s.fold == Fold::Upper)
                upperCp1252(to, s.width);
            else if (s.fold == Fold::Lower)
                lowerCp1252(to, s.width);
            len += s.width;
            break;
        }
        case Op::Truth: {
            const char b = record[s.offset];
            const bool marked = s.deleteMark ? b == '*' : b == 'T' || b == 't' || b == 'Y' || b == 'y';
            out[0] = marked != s.negated ? 'T' : 'F';
            break;
        }
        case Op::Start:
            joins[depth++] = len;
            break;
        case Op::Trim: {
            uint32_t end = len;
            while (end > joins[depth - 1] && out[end - 1] == ' ')
                --end;
            joins[depth - 1] = len - end;
            len = end;
            break;
        }
        case Op::Pad:
            std::memset(out + len, ' ', joins[--depth]);
            len += joins[depth];
            break;
        }
    }
}

} // namespace xb
