#include "xbase/expr_functions.h"

#include "xbase/codepage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace xb {
namespace {

using Args = std::vector<NodePtr>;

class Function : public Node {
public:
    Function(ValueType t, int width, Args&& args) : Node(t, width), args_(std::move(args)) {}
    void collectFields(std::vector<std::string>& out) const override
    {
        for (const NodePtr& a : args_)
            a->collectFields(out);
    }

protected:
    const Node& arg(std::size_t i) const { return *args_[i]; }
    std::size_t argCount() const { return args_.size(); }
    Args args_;
    mutable std::string buffer_;
};

// Numbers used as counts and positions, kept in a range where the conversion is
// defined whatever the expression computes.
int toInt(double v)
{
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

int constantInt(const Node& n, int fallback)
{
    double v;
    return n.constantNumber(v) ? toInt(v) : fallback;
}

// UPPER and LOWER.
class CaseFold final : public Function {
public:
    CaseFold(bool upper, Args&& a) : Function(ValueType::Character, a[0]->width(), std::move(a)), upper_(upper) {}
    std::string_view text(const EvalContext& c) const override
    {
        buffer_.assign(arg(0).text(c));
        if (upper_)
            upperCp1252(buffer_.data(), buffer_.size());
        else
            lowerCp1252(buffer_.data(), buffer_.size());
        return buffer_;
    }
    bool plan(KeyPlan& p) const override
    {
        const KeyPlan::Fold was = p.enterFold(upper_ ? KeyPlan::Fold::Upper : KeyPlan::Fold::Lower);
        const bool planned = arg(0).plan(p);
        p.leaveFold(was);
        return planned;
    }

private:
    bool upper_;
};

// TRIM/RTRIM, LTRIM, ALLTRIM: views into the argument, no copy.
class Trim final : public Function {
public:
    Trim(bool left, bool right, Args&& a)
        : Function(ValueType::Character, a[0]->width(), std::move(a)), left_(left), right_(right)
    {}
    std::string_view text(const EvalContext& c) const override
    {
        std::string_view s = arg(0).text(c);
        if (right_)
            s = s.substr(0, s.find_last_not_of(' ') + 1);
        if (left_) {
            const std::size_t first = s.find_first_not_of(' ');
            s = first == std::string_view::npos ? std::string_view() : s.substr(first);
        }
        return s;
    }

private:
    bool left_;
    bool right_;
};

// SUBSTR, LEFT and RIGHT.
class Slice final : public Function {
public:
    enum Kind { Substr, Left, Right };
    Slice(Kind k, int width, Args&& a) : Function(ValueType::Character, width, std::move(a)), kind_(k) {}
    std::string_view text(const EvalContext& c) const override
    {
        const std::string_view s = arg(0).text(c);
        const long size = static_cast<long>(s.size());
        const long n = toInt(arg(1).number(c));
        long start = 0;
        long count = 0;
        switch (kind_) {
        case Left:
            count = n;
            break;
        case Right:
            start = size - std::max(0L, n);
            count = n;
            break;
        case Substr:
            start = n > 0 ? n - 1 : (n < 0 ? size + n : 0);
            count = argCount() > 2 ? toInt(arg(2).number(c)) : size;
            break;
        }
        start = std::clamp(start, 0L, size);
        count = std::clamp(count, 0L, size - start);
        return s.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
    }

private:
    Kind kind_;
};

class Length final : public Function {
public:
    explicit Length(Args&& a) : Function(ValueType::Numeric, 8, std::move(a)) {}
    double number(const EvalContext& c) const override { return static_cast<double>(arg(0).text(c).size()); }
};

class Empty final : public Function {
public:
    explicit Empty(Args&& a) : Function(ValueType::Logical, 1, std::move(a)) {}
    bool logical(const EvalContext& c) const override
    {
        switch (arg(0).type()) {
        case ValueType::Character:
            return arg(0).text(c).find_first_not_of(" \t\r\n") == std::string_view::npos;
        case ValueType::Logical:
            return !arg(0).logical(c);
        default:
            return arg(0).number(c) == 0;
        }
    }
};

class If final : public Function {
public:
    If(int width, Args&& a) : Function(a[1]->type(), width, std::move(a)) {}
    bool logical(const EvalContext& c) const override { return pick(c).logical(c); }
    double number(const EvalContext& c) const override { return pick(c).number(c); }
    std::string_view text(const EvalContext& c) const override { return pick(c).text(c); }

private:
    const Node& pick(const EvalContext& c) const { return arg(0).logical(c) ? arg(1) : arg(2); }
};

// STR(number [, width [, decimals]]): right-aligned, rounded; stars when too wide.
class Str final : public Function {
public:
    Str(int width, Args&& a) : Function(ValueType::Character, width, std::move(a)) {}
    std::string_view text(const EvalContext& c) const override
    {
        const int w = argCount() > 1 ? toInt(arg(1).number(c)) : 10;
        const int d = argCount() > 2 ? toInt(arg(2).number(c)) : 0;
        formatFixed(arg(0).number(c), std::clamp(w, 1, 255), std::clamp(d, 0, 15), buffer_);
        return buffer_;
    }
};

class Val final : public Function {
public:
    explicit Val(Args&& a) : Function(ValueType::Numeric, 8, std::move(a)) {}
    // The leading decimal number after any blanks; 0 when there is none.
    double number(const EvalContext& c) const override
    {
        const std::string_view s = arg(0).text(c);
        std::size_t i = s.find_first_not_of(' ');
        if (i == std::string_view::npos)
            return 0;
        const std::size_t start = i;
        if (s[i] == '-' || s[i] == '+')
            ++i;
        auto digits = [&] {
            while (i < s.size() && s[i] >= '0' && s[i] <= '9')
                ++i;
        };
        digits();
        if (i < s.size() && s[i] == '.') {
            ++i;
            digits();
        }
        std::string_view number = s.substr(start, i - start);
        if (!number.empty() && number.front() == '+')
            number.remove_prefix(1);
        double v = 0;
        std::from_chars(number.data(), number.data() + number.size(), v);
        return v;
    }
};

class Dtos final : public Function {
public:
    explicit Dtos(Args&& a) : Function(ValueType::Character, 8, std::move(a)) { buffer_.resize(8); }
    std::string_view text(const EvalContext& c) const override
    {
        digitsFromJulian(arg(0).number(c), buffer_.data());
        return buffer_;
    }
};

class Asc final : public Function {
public:
    explicit Asc(Args&& a) : Function(ValueType::Numeric, 8, std::move(a)) {}
    double number(const EvalContext& c) const override
    {
        const std::string_view s = arg(0).text(c);
        return s.empty() ? 0 : static_cast<unsigned char>(s[0]);
    }
};

class Chr final : public Function {
public:
    explicit Chr(Args&& a) : Function(ValueType::Character, 1, std::move(a)) { buffer_.resize(1); }
    std::string_view text(const EvalContext& c) const override
    {
        buffer_[0] = static_cast<char>(toInt(arg(0).number(c)) & 0xFF);
        return buffer_;
    }
};

// DELETED(), RECNO(), RECCOUNT(): the record's context, not its fields.
class Context final : public Function {
public:
    enum Kind { Deleted, Recno, Reccount };
    explicit Context(Kind k)
        : Function(k == Deleted ? ValueType::Logical : ValueType::Numeric, k == Deleted ? 1 : 8, {}), kind_(k)
    {}
    bool logical(const EvalContext& c) const override { return c.record && c.record[0] == '*'; }
    bool plan(KeyPlan& p) const override
    {
        if (kind_ != Deleted)
            return false;
        p.truth(0, true);
        return true;
    }
    double number(const EvalContext& c) const override
    {
        return static_cast<double>(kind_ == Recno ? c.recno : c.recordCount);
    }

private:
    Kind kind_;
};

struct Signature {
    std::vector<ValueType> required;
    std::vector<ValueType> optional;
    std::function<NodePtr(Args&)> make;
};

constexpr ValueType C = ValueType::Character;
constexpr ValueType N = ValueType::Numeric;
constexpr ValueType D = ValueType::Date;
constexpr ValueType L = ValueType::Logical;

const std::map<std::string, Signature>& signatures()
{
    static const std::map<std::string, Signature> table = [] {
        std::map<std::string, Signature> t;
        auto trim = [](bool left, bool right) {
            return [=](Args& a) { return std::make_unique<Trim>(left, right, std::move(a)); };
        };
        t["UPPER"] = {{C}, {}, [](Args& a) { return std::make_unique<CaseFold>(true, std::move(a)); }};
        t["LOWER"] = {{C}, {}, [](Args& a) { return std::make_unique<CaseFold>(false, std::move(a)); }};
        t["TRIM"] = {{C}, {}, trim(false, true)};
        t["RTRIM"] = {{C}, {}, trim(false, true)};
        t["LTRIM"] = {{C}, {}, trim(true, false)};
        t["ALLTRIM"] = {{C}, {}, trim(true, true)};
        t["SUBSTR"] = {{C, N}, {N}, [](Args& a) {
                           const int w = a.size() > 2 ? constantInt(*a[2], a[0]->width()) : a[0]->width();
                           return std::make_unique<Slice>(Slice::Substr, std::clamp(w, 0, a[0]->width()), std::move(a));
                       }};
        auto side = [](Slice::Kind k) {
            return [k](Args& a) {
                const int w = constantInt(*a[1], a[0]->width());
                return std::make_unique<Slice>(k, std::clamp(w, 0, a[0]->width()), std::move(a));
            };
        };
        t["LEFT"] = {{C, N}, {}, side(Slice::Left)};
        t["RIGHT"] = {{C, N}, {}, side(Slice::Right)};
        t["LEN"] = {{C}, {}, [](Args& a) { return std::make_unique<Length>(std::move(a)); }};
        t["STR"] = {{N}, {N, N}, [](Args& a) {
                        const int w = a.size() > 1 ? constantInt(*a[1], 255) : 10;
                        return std::make_unique<Str>(std::clamp(w, 1, 255), std::move(a));
                    }};
        t["VAL"] = {{C}, {}, [](Args& a) { return std::make_unique<Val>(std::move(a)); }};
        t["DTOS"] = {{D}, {}, [](Args& a) { return std::make_unique<Dtos>(std::move(a)); }};
        t["ASC"] = {{C}, {}, [](Args& a) { return std::make_unique<Asc>(std::move(a)); }};
        t["CHR"] = {{N}, {}, [](Args& a) { return std::make_unique<Chr>(std::move(a)); }};
        t["DELETED"] = {{}, {}, [](Args&) { return std::make_unique<Context>(Context::Deleted); }};
        t["RECNO"] = {{}, {}, [](Args&) { return std::make_unique<Context>(Context::Recno); }};
        t["RECCOUNT"] = {{}, {}, [](Args&) { return std::make_unique<Context>(Context::Reccount); }};
        t["LASTREC"] = t["RECCOUNT"];
        return t;
    }();
    return table;
}

} // namespace

NodePtr makeFunction(const std::string& name, Args args, std::string& error)
{
    if (name == "EMPTY") {
        if (args.size() != 1) {
            error = "EMPTY takes one argument";
            return nullptr;
        }
        return std::make_unique<Empty>(std::move(args));
    }
    if (name == "IIF" || name == "IF") {
        if (args.size() != 3 || args[0]->type() != L || args[1]->type() != args[2]->type()) {
            error = name + " takes a logical condition and two values of one type";
            return nullptr;
        }
        const int w = std::max(args[1]->width(), args[2]->width());
        return std::make_unique<If>(w, std::move(args));
    }
    const auto it = signatures().find(name);
    if (it == signatures().end()) {
        error = "unknown function " + name + "()";
        return nullptr;
    }
    const Signature& sig = it->second;
    if (args.size() < sig.required.size() || args.size() > sig.required.size() + sig.optional.size()) {
        error = "wrong number of arguments for " + name + "()";
        return nullptr;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const ValueType want = i < sig.required.size() ? sig.required[i] : sig.optional[i - sig.required.size()];
        if (args[i]->type() != want) {
            error = "argument " + std::to_string(i + 1) + " of " + name + "() must be " + valueTypeName(want);
            return nullptr;
        }
    }
    return sig.make(args);
}

} // namespace xb
