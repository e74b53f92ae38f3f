#include "xbase/expr_node.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace xb {
namespace {

double parseNumber(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

template <typename T>
T loadLittle(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

class FieldNode final : public Node {
public:
    FieldNode(const DbfField& f, ValueType t) : Node(t, t == ValueType::Character ? f.width : 8), field_(f) {}

    std::string_view text(const EvalContext& c) const override
    {
        return {c.record + field_.offset, static_cast<std::size_t>(field_.width)};
    }
    bool logical(const EvalContext& c) const override
    {
        const char b = c.record[field_.offset];
        return b == 'T' || b == 't' || b == 'Y' || b == 'y';
    }
    double number(const EvalContext& c) const override
    {
        const char* p = c.record + field_.offset;
        switch (field_.type) {
        case 'D':
            return julianFromDigits({p, 8});
        case 'I':
            return field_.width == 4 ? loadLittle<std::int32_t>(p) : 0;
        case 'B':
            return field_.width == 8 ? loadLittle<double>(p) : 0;
        case 'Y':
            return field_.width == 8 ? static_cast<double>(loadLittle<std::int64_t>(p)) / 10000.0 : 0;
        default:
            return parseNumber({p, static_cast<std::size_t>(field_.width)});
        }
    }
    void collectFields(std::vector<std::string>& out) const override { out.push_back(field_.name); }
    bool plan(KeyPlan& p) const override
    {
        if (type() == ValueType::Character)
            p.copy(field_.offset, field_.width);
        else if (type() == ValueType::Logical)
            p.truth(field_.offset, false);
        else
            return false;
        return true;
    }

private:
    DbfField field_;
};

class TextConstant final : public Node {
public:
    explicit TextConstant(std::string v) : Node(ValueType::Character, static_cast<int>(v.size())), value_(std::move(v))
    {}
    std::string_view text(const EvalContext&) const override { return value_; }

private:
    std::string value_;
};

class NumberConstant final : public Node {
public:
    explicit NumberConstant(double v) : Node(ValueType::Numeric, 8), value_(v) {}
    double number(const EvalContext&) const override { return value_; }
    bool constantNumber(double& v) const override
    {
        v = value_;
        return true;
    }

private:
    double value_;
};

class LogicalConstant final : public Node {
public:
    explicit LogicalConstant(bool v) : Node(ValueType::Logical, 1), value_(v) {}
    bool logical(const EvalContext&) const override { return value_; }

private:
    bool value_;
};

class Unary : public Node {
public:
    Unary(ValueType t, NodePtr&& a) : Node(t, a->width()), a_(std::move(a)) {}
    void collectFields(std::vector<std::string>& out) const override { a_->collectFields(out); }

protected:
    NodePtr a_;
};

class Binary : public Node {
public:
    Binary(ValueType t, int width, NodePtr&& a, NodePtr&& b) : Node(t, width), a_(std::move(a)), b_(std::move(b)) {}
    void collectFields(std::vector<std::string>& out) const override
    {
        a_->collectFields(out);
        b_->collectFields(out);
    }

protected:
    NodePtr a_;
    NodePtr b_;
};

class NotNode final : public Unary {
public:
    explicit NotNode(NodePtr&& a) : Unary(ValueType::Logical, std::move(a)) {}
    bool logical(const EvalContext& c) const override { return !a_->logical(c); }
    bool plan(KeyPlan& p) const override { return a_->plan(p) && p.negate(); }
};

class NegateNode final : public Unary {
public:
    explicit NegateNode(NodePtr&& a) : Unary(ValueType::Numeric, std::move(a)) {}
    double number(const EvalContext& c) const override { return -a_->number(c); }
};

class AndOrNode final : public Binary {
public:
    AndOrNode(bool isAnd, NodePtr&& a, NodePtr&& b)
        : Binary(ValueType::Logical, 1, std::move(a), std::move(b)), and_(isAnd)
    {}
    bool logical(const EvalContext& c) const override
    {
        return and_ ? (a_->logical(c) && b_->logical(c)) : (a_->logical(c) || b_->logical(c));
    }

private:
    bool and_;
};

bool orderHolds(CompareOp op, int cmp)
{
    switch (op) {
    case CompareOp::Equal:
    case CompareOp::ExactEqual:
        return cmp == 0;
    case CompareOp::NotEqual:
        return cmp != 0;
    case CompareOp::Less:
        return cmp < 0;
    case CompareOp::LessEqual:
        return cmp <= 0;
    case CompareOp::Greater:
        return cmp > 0;
    case CompareOp::GreaterEqual:
        return cmp >= 0;
    case CompareOp::Contains:
        break;
    }
    return false;
}

class CompareNode final : public Binary {
public:
    CompareNode(CompareOp op, NodePtr&& a, NodePtr&& b)
        : Binary(ValueType::Logical, 1, std::move(a), std::move(b)), op_(op)
    {}

    bool logical(const EvalContext& c) const override
    {
        switch (a_->type()) {
        case ValueType::Character: {
            const std::string_view l = a_->text(c);
            const std::string_view r = b_->text(c);
            if (op_ == CompareOp::Contains)
                return !l.empty() && r.find(l) != std::string_view::npos;
            if (op_ == CompareOp::ExactEqual)
                return l == r;
            return orderHolds(op_, compareText(l, r, c.exact));
        }
        case ValueType::Logical: {
            const int l = a_->logical(c);
            const int r = b_->logical(c);
            return orderHolds(op_, l - r);
        }
        default: {
            const double l = a_->number(c);
            const double r = b_->number(c);
            return orderHolds(op_, l < r ? -1 : (l > r ? 1 : 0));
        }
        }
    }

private:
    CompareOp op_;
};

class ConcatNode final : public Binary {
public:
    ConcatNode(bool moveBlanks, NodePtr&& a, NodePtr&& b)
        : Binary(ValueType::Character, a->width() + b->width(), std::move(a), std::move(b)), moveBlanks_(moveBlanks)
    {}

    std::string_view text(const EvalContext& c) const override
    {
        const std::string_view l = a_->text(c);
        const std::string_view r = b_->text(c);
        buffer_.assign(l);
        if (moveBlanks_) {
            // The left side's trailing blanks go to the end of the result.
            const std::size_t kept = l.find_last_not_of(' ') + 1;
            buffer_.resize(kept);
            buffer_.append(r);
            buffer_.append(l.size() - kept, ' ');
        } else {
            buffer_.append(r);
        }
        return buffer_;
    }
    bool plan(KeyPlan& p) const override
    {
        if (!moveBlanks_)
            return a_->plan(p) && b_->plan(p);
        if (!p.startJoin() || !a_->plan(p))
            return false;
        p.trimLeft();
        if (!b_->plan(p))
            return false;
        p.padMoved();
        return true;
    }

private:
    bool moveBlanks_;
    mutable std::string buffer_;
};

class ArithmeticNode final : public Binary {
public:
    ArithmeticNode(char op, NodePtr&& a, NodePtr&& b, ValueType t) : Binary(t, 8, std::move(a), std::move(b)), op_(op)
    {}

    double number(const EvalContext& c) const override
    {
        const double l = a_->number(c);
        const double r = b_->number(c);
        switch (op_) {
        case '+':
            return l + r;
        case '-':
            return l - r;
        case '*':
            return l * r;
        case '/':
            return r == 0 ? 0 : l / r;
        case '%':
            return r == 0 ? 0 : std::fmod(l, r);
        case '^':
            return std::pow(l, r);
        }
        return 0;
    }

private:
    char op_;
};

} // namespace

NodePtr makeFieldNode(const DbfField& f)
{
    ValueType t = ValueType::Character;
    switch (f.type) {
    case 'N':
    case 'F':
    case 'I':
    case 'B':
    case 'Y':
        t = ValueType::Numeric;
        break;
    case 'D':
        t = ValueType::Date;
        break;
    case 'L':
        t = ValueType::Logical;
        break;
    default:
        break; // every other type reads as its raw bytes
    }
    return std::make_unique<FieldNode>(f, t);
}

NodePtr makeTextConstant(std::string value)
{
    return std::make_unique<TextConstant>(std::move(value));
}
NodePtr makeNumberConstant(double value)
{
    return std::make_unique<NumberConstant>(value);
}
NodePtr makeLogicalConstant(bool value)
{
    return std::make_unique<LogicalConstant>(value);
}
NodePtr makeNot(NodePtr a)
{
    return std::make_unique<NotNode>(std::move(a));
}
NodePtr makeNegate(NodePtr a)
{
    return std::make_unique<NegateNode>(std::move(a));
}
NodePtr makeAndOr(bool isAnd, NodePtr a, NodePtr b)
{
    return std::make_unique<AndOrNode>(isAnd, std::move(a), std::move(b));
}
NodePtr makeCompare(CompareOp op, NodePtr a, NodePtr b)
{
    return std::make_unique<CompareNode>(op, std::move(a), std::move(b));
}
NodePtr makeConcat(bool moveBlanks, NodePtr a, NodePtr b)
{
    return std::make_unique<ConcatNode>(moveBlanks, std::move(a), std::move(b));
}
NodePtr makeArithmetic(char op, NodePtr a, NodePtr b, ValueType t)
{
    return std::make_unique<ArithmeticNode>(op, std::move(a), std::move(b), t);
}

int compareText(std::string_view l, std::string_view r, bool exact)
{
    const auto* a = reinterpret_cast<const unsigned char*>(l.data());
    const auto* b = reinterpret_cast<const unsigned char*>(r.data());
    if (!exact) {
        const std::size_t n = std::min(l.size(), r.size());
        const int cmp = n ? std::memcmp(a, b, n) : 0;
        if (cmp != 0)
            return cmp;
        return l.size() < r.size() ? -1 : 0;
    }
    const std::size_t n = std::max(l.size(), r.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = i < l.size() ? a[i] : ' ';
        const unsigned char y = i < r.size() ? b[i] : ' ';
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

double julianFromDigits(std::string_view s)
{
    if (s.size() < 8)
        return 0;
    int v[3] = {0, 0, 0};
    const int len[3] = {4, 2, 2};
    std::size_t pos = 0;
    for (int part = 0; part < 3; ++part)
        for (int i = 0; i < len[part]; ++i, ++pos) {
            const char ch = s[pos];
            if (ch < '0' || ch > '9')
                return 0;
            v[part] = v[part] * 10 + (ch - '0');
        }
    const int y = v[0], m = v[1], d = v[2];
    if (m < 1 || m > 12 || d < 1 || d > 31)
        return 0;
    // Gregorian calendar to Julian day number.
    const int a = (14 - m) / 12;
    const int yy = y + 4800 - a;
    const int mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

void digitsFromJulian(double julian, char out[8])
{
    // Blank below day 1, and past the year 9999 (day 5373484) no date at all.
    if (!(julian > 0) || julian > 5373484) {
        std::memset(out, ' ', 8);
        return;
    }
    const long j = static_cast<long>(julian);
    const long a = j + 32044;
    const long b = (4 * a + 3) / 146097;
    const long c = a - 146097 * b / 4;
    const long d = (4 * c + 3) / 1461;
    const long e = c - 1461 * d / 4;
    const long m = (5 * e + 2) / 153;
    const long day = e - (153 * m + 2) / 5 + 1;
    const long month = m + 3 - 12 * (m / 10);
    const long year = 100 * b + d - 4800 + m / 10;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04ld%02ld%02ld", std::clamp(year, 0L, 9999L), month, day);
    std::memcpy(out, buf, 8);
}

void formatFixed(double value, int width, int decimals, std::string& out)
{
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    char buf[512];
    const int n = std::isfinite(rounded) ? std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, rounded) : -1;
    if (n < 0 || n > width)
        out.assign(static_cast<std::size_t>(width), '*');
    else
        out.assign(buf, static_cast<std::size_t>(n));
}

std::string plainDecimal(double value)
{
    if (!std::isfinite(value))
        return "0";
    if (value == 0)
        value = 0; // no "-0"
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

} // namespace xb
