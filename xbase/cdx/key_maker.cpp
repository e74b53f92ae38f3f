#include "xbase/cdx/key_maker.h"

#include <bit>
#include <charconv>
#include <cstring>

#include "xbase/cdx/node.h"

namespace xb::cdx {

namespace {

// Julian day number of a Gregorian date, as dates are kept in keys.
long julianDay(int y, int m, int d)
{
    const int a = (14 - m) / 12;
    const long yy = y + 4800 - a;
    const int mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}

double parseNumber(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

} // namespace

std::string orderedDouble(double value)
{
    if (value == 0)
        value = 0; // one key for -0 and +0
    uint64_t bits = std::bit_cast<uint64_t>(value);
    bits = (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
    std::string out(8, '\0');
    for (int i = 0; i < 8; ++i)
        out[size_t(i)] = char(uint8_t(bits >> (56 - 8 * i)));
    return out;
}

std::unique_ptr<KeyMaker> KeyMaker::compile(const std::string& keyExpr, const std::string& forExpr,
                                            const std::vector<DbfField>& fields, std::string& error)
{
    std::unique_ptr<KeyMaker> k(new KeyMaker);
    k->key_ = Expression::compile(keyExpr, fields, error);
    if (!k->key_)
        return nullptr;
    if (!forExpr.empty()) {
        k->for_ = Expression::compile(forExpr, fields, error);
        if (!k->for_)
            return nullptr;
        if (k->for_->type() != ValueType::Logical) {
            error = "the condition " + forExpr + " is not a logical expression";
            return nullptr;
        }
    }
    switch (k->key_->type()) {
    case ValueType::Character:
        k->keyLen_ = k->key_->width();
        break;
    case ValueType::Logical:
        k->keyLen_ = 1;
        break;
    default:
        k->keyLen_ = 8;
        break;
    }
    if (k->keyLen_ < 1 || k->keyLen_ > kMaxKeyLen) {
        error = "the key " + keyExpr + " is " + std::to_string(k->keyLen_) + " bytes long; keys take 1 to " +
                std::to_string(kMaxKeyLen);
        return nullptr;
    }
    k->planned_ = k->key_->keyPlan(k->plan_);
    return k;
}

bool KeyMaker::make(const char* record, long recno, long recordCount, std::string& out) const
{
    EvalContext ctx{record, recno, recordCount, false};
    if (for_ && !for_->evalLogical(ctx))
        return false;
    if (planned_) {
        out.resize(size_t(keyLen_));
        plan_.run(record, reinterpret_cast<uint8_t*>(out.data()));
        return true;
    }
    key_->keyBytes(ctx, out);
    if (type() == ValueType::Numeric || type() == ValueType::Date) {
        double v;
        std::memcpy(&v, out.data(), sizeof v);
        out = orderedDouble(v);
    } else {
        out.resize(size_t(keyLen_), ' ');
    }
    return true;
}

std::string KeyMaker::seekKey(std::string_view text) const
{
    switch (type()) {
    case ValueType::Character:
        return std::string(text.substr(0, size_t(keyLen_)));
    case ValueType::Logical: {
        std::string_view t = text;
        if (!t.empty() && t.front() == '.')
            t.remove_prefix(1);
        const char c = t.empty() ? 'F' : char(t.front() & ~0x20);
        return std::string(1, c == 'T' || c == 'Y' ? 'T' : 'F');
    }
    case ValueType::Date: {
        if (text.size() < 8 || text.find_first_not_of(' ') == std::string_view::npos)
            return orderedDouble(0);
        auto num = [&](size_t at, size_t len) { return int(parseNumber(text.substr(at, len))); };
        return orderedDouble(double(julianDay(num(0, 4), num(4, 2), num(6, 2))));
    }
    case ValueType::Numeric:
        return orderedDouble(parseNumber(text));
    }
    return {};
}

std::string KeyMaker::display(const char* record, long recno, long recordCount) const
{
    EvalContext ctx{record, recno, recordCount, false};
    if (type() == ValueType::Character) {
        std::string out;
        key_->keyBytes(ctx, out);
        out.resize(size_t(keyLen_), ' ');
        return out;
    }
    if (type() == ValueType::Logical)
        return key_->evalLogical(ctx) ? "T" : "F";
    return key_->display(ctx);
}

} // namespace xb::cdx
