#include "xbase/field_value.h"

#include "xbase/expr_node.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace xb {
namespace {

void putBlankPadded(const DbfField& f, char* record, std::string_view text)
{
    char* p = record + f.offset;
    const std::size_t w = static_cast<std::size_t>(f.width);
    const std::size_t n = std::min(w, text.size());
    std::memcpy(p, text.data(), n);
    std::memset(p + n, ' ', w - n);
}

bool parseNumber(std::string_view text, double& out)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return false;
    const std::string s(text.substr(first, text.find_last_not_of(' ') - first + 1));
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

template <typename T>
void putLittle(char* p, T v)
{
    std::memcpy(p, &v, sizeof v);
}

template <typename T>
T loadLittle(const char* p)
{
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

} // namespace

bool storeNumber(const DbfField& f, char* record, double value, std::string& error)
{
    char* p = record + f.offset;
    switch (f.type) {
    case 'N':
    case 'F': {
        std::string text;
        formatFixed(value, f.width, f.decimals, text);
        std::memcpy(p, text.data(), text.size());
        return true;
    }
    case 'I':
        if (f.width != 4 || !(value >= INT32_MIN && value <= INT32_MAX)) {
            error = "value out of range for integer field " + f.name;
            return false;
        }
        putLittle(p, static_cast<std::int32_t>(std::llround(value)));
        return true;
    case 'B':
        if (f.width != 8)
            break;
        putLittle(p, value);
        return true;
    case 'Y':
        if (f.width != 8)
            break;
        if (!(std::fabs(value) < 9e14)) {
            error = "value out of range for currency field " + f.name;
            return false;
        }
        putLittle(p, static_cast<std::int64_t>(std::llround(value * 10000)));
        return true;
    case 'L':
        return storeLogical(f, record, value != 0, error);
    case 'D': {
        char digits[8];
        digitsFromJulian(value, digits);
        putBlankPadded(f, record, std::string_view(digits, 8));
        return true;
    }
    case 'C':
        putBlankPadded(f, record, plainDecimal(value));
        return true;
    default:
        break;
    }
    error = std::string("cannot store a number in field ") + f.name + " of type " + f.type;
    return false;
}

bool storeText(const DbfField& f, char* record, std::string_view text, std::string& error)
{
    switch (f.type) {
    case 'N':
    case 'F':
    case 'I':
    case 'B':
    case 'Y': {
        double v = 0;
        if (text.find_first_not_of(' ') == std::string_view::npos) {
            if (f.type == 'N' || f.type == 'F') {
                std::memset(record + f.offset, ' ', static_cast<std::size_t>(f.width));
                return true;
            }
        } else if (!parseNumber(text, v)) {
            error = "\"" + std::string(text) + "\" is not a number for field " + f.name;
            return false;
        }
        return storeNumber(f, record, v, error);
    }
    case 'L': {
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string_view::npos) {
            record[f.offset] = ' ';
            return true;
        }
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[first])));
        if (c == 'T' || c == 'Y')
            return storeLogical(f, record, true, error);
        if (c == 'F' || c == 'N')
            return storeLogical(f, record, false, error);
        error = "\"" + std::string(text) + "\" is not a logical value for field " + f.name;
        return false;
    }
    case 'D': {
        const bool blank = text.find_first_not_of(' ') == std::string_view::npos;
        if (!blank && (text.size() != 8 || julianFromDigits(text) == 0)) {
            error = "\"" + std::string(text) + "\" is not a date (yyyymmdd) for field " + f.name;
            return false;
        }
        putBlankPadded(f, record, blank ? std::string_view() : text);
        return true;
    }
    case 'M':
    case 'G':
        error = "memo field " + f.name + " cannot be written";
        return false;
    default:
        putBlankPadded(f, record, text);
        return true;
    }
}

bool storeLogical(const DbfField& f, char* record, bool value, std::string& error)
{
    if (f.type == 'L' || f.type == 'C') {
        putBlankPadded(f, record, value ? "T" : "F");
        return true;
    }
    error = "cannot store a logical value in field " + f.name;
    return false;
}

std::string formatDate(std::string_view s, int dateFormat, bool century)
{
    if (s.size() < 8 || julianFromDigits(s) == 0)
        return {};
    const std::string y = std::string(century ? s.substr(0, 4) : s.substr(2, 2));
    const std::string m(s.substr(4, 2));
    const std::string d(s.substr(6, 2));
    switch (dateFormat) {
    case 1:
        return y + "." + m + "." + d;
    case 2:
    case 3:
        return d + "/" + m + "/" + y;
    case 4:
        return d + "." + m + "." + y;
    case 5:
    case 6:
        return d + "-" + m + "-" + y;
    default:
        return m + "/" + d + "/" + y;
    }
}

std::string fieldText(const DbfField& f, const char* record)
{
    const std::string_view raw(record + f.offset, static_cast<std::size_t>(f.width));
    switch (f.type) {
    case 'I':
    case 'B':
    case 'Y':
        return plainDecimal(makeFieldNode(f)->number(EvalContext{record, 0, 0, false}));
    case 'M':
    case 'G':
    case 'P':
        return {}; // a memo's contents live in another file and are not read
    case 'T':
        if (f.width == 8) {
            // Julian day and milliseconds since midnight.
            const auto day = loadLittle<std::int32_t>(raw.data());
            const auto ms = loadLittle<std::int32_t>(raw.data() + 4);
            if (day <= 0)
                return {};
            char digits[8];
            digitsFromJulian(day, digits);
            char clock[16];
            std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", ms / 3600000 % 24, ms / 60000 % 60, ms / 1000 % 60);
            return std::string(digits, 8) + clock;
        }
        break;
    case 'N':
    case 'F': {
        const std::size_t first = raw.find_first_not_of(' ');
        return first == std::string_view::npos ? std::string() : std::string(raw.substr(first));
    }
    default:
        break;
    }
    const std::size_t last = raw.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(raw.substr(0, last + 1));
}

} // namespace xb
