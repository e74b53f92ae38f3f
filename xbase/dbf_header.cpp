#include "xbase/dbf_header.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace xb {
namespace {

std::uint32_t le32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

void put32(unsigned char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void put16(unsigned char* p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

bool validName(const std::string& name)
{
    if (name.empty() || name.size() > 10 || !std::isalpha(static_cast<unsigned char>(name[0])))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

// Width limits of the types this engine creates; other types are read only.
bool checkCreatable(const DbfField& f, std::string& error)
{
    auto fail = [&](const std::string& why) {
        error = "Field " + f.name + ": " + why;
        return false;
    };
    switch (f.type) {
    case 'C':
        if (f.width < 1 || f.width > 254)
            return fail("character width must be 1 to 254");
        if (f.decimals != 0)
            return fail("character fields have no decimals");
        return true;
    case 'N':
    case 'F':
        if (f.width < 1 || f.width > 20)
            return fail("numeric width must be 1 to 20");
        if (f.decimals < 0 || (f.decimals > 0 && f.decimals > f.width - 2))
            return fail("too many decimals for the width");
        return true;
    case 'L':
        if (f.width != 1 || f.decimals != 0)
            return fail("logical fields are 1 wide");
        return true;
    case 'D':
        if (f.width != 8 || f.decimals != 0)
            return fail("date fields are 8 wide");
        return true;
    default:
        return fail(std::string("type ") + f.type + " cannot be created");
    }
}

} // namespace

bool parseDbfPrologue(const unsigned char* data, std::size_t size, DbfHeader& h, std::string& error)
{
    if (size < kPrologueSize) {
        error = "file too short for a DBF header";
        return false;
    }
    h.version = data[0];
    // The year byte counts from 1900, so years from 2000 on are above 99; some
    // writers store only the last two digits, which are read as 2000-2079.
    h.year = data[1] < 80 ? 2000 + data[1] : 1900 + data[1];
    h.month = data[2];
    h.day = data[3];
    h.recordCount = le32(data + 4);
    h.headerLength = le16(data + 8);
    h.recordLength = le16(data + 10);
    h.tableFlags = data[28];
    h.codePage = data[29];
    if (h.headerLength < kPrologueSize + 1) {
        error = "header length " + std::to_string(h.headerLength) + " is too small";
        return false;
    }
    if (h.recordLength < 1) {
        error = "record length is zero";
        return false;
    }
    return true;
}

bool parseDbfHeader(const unsigned char* data, std::size_t size, DbfHeader& h, std::string& error)
{
    if (!parseDbfPrologue(data, size, h, error))
        return false;
    const std::size_t end = std::min<std::size_t>(size, h.headerLength);
    h.fields.clear();
    int offset = 1;
    std::size_t pos = kPrologueSize;
    bool terminated = false;
    while (pos < end) {
        if (data[pos] == static_cast<unsigned char>(kHeaderTerminator)) {
            terminated = true;
            break;
        }
        if (pos + kDescriptorSize > end)
            break;
        const unsigned char* d = data + pos;
        DbfField f;
        const auto nameLen = static_cast<std::size_t>(std::find(d, d + 11, 0) - d);
        f.name.assign(reinterpret_cast<const char*>(d), nameLen);
        for (char& c : f.name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        f.type = static_cast<char>(std::toupper(d[11]));
        f.width = d[16];
        f.decimals = d[17];
        // Clipper-style wide character fields keep the high byte of the width in
        // the decimals byte.
        if (f.type == 'C' && f.decimals != 0) {
            f.width += f.decimals * 256;
            f.decimals = 0;
        }
        f.offset = offset;
        offset += f.width;
        h.fields.push_back(std::move(f));
        pos += kDescriptorSize;
    }
    if (!terminated && pos < end) {
        error = "field descriptors are cut short";
        return false;
    }
    if (h.fields.empty()) {
        error = "the table has no fields";
        return false;
    }
    if (offset > h.recordLength) {
        error = "fields need " + std::to_string(offset) + " bytes but records are " + std::to_string(h.recordLength) +
                " long";
        return false;
    }
    for (const DbfField& f : h.fields)
        if (f.width == 0) {
            error = "field " + f.name + " has width 0";
            return false;
        }
    return true;
}

bool layoutFields(DbfHeader& h, std::string& error)
{
    if (h.fields.empty() || h.fields.size() > 255) {
        error = "a table needs 1 to 255 fields";
        return false;
    }
    int offset = 1;
    for (std::size_t i = 0; i < h.fields.size(); ++i) {
        DbfField& f = h.fields[i];
        for (char& c : f.name)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(f.type)));
        if (!validName(f.name)) {
            error = "invalid field name \"" + f.name + "\"";
            return false;
        }
        for (std::size_t j = 0; j < i; ++j)
            if (h.fields[j].name == f.name) {
                error = "field " + f.name + " appears twice";
                return false;
            }
        if (!checkCreatable(f, error))
            return false;
        f.offset = offset;
        offset += f.width;
    }
    if (offset > 65535) {
        error = "records would be longer than 65535 bytes";
        return false;
    }
    h.recordLength = static_cast<std::uint16_t>(offset);
    h.headerLength = static_cast<std::uint16_t>(kPrologueSize + kDescriptorSize * h.fields.size() + 1);
    return true;
}

void encodeDateAndCount(const DbfHeader& h, unsigned char out[7])
{
    out[0] = static_cast<unsigned char>(std::clamp(h.year - 1900, 0, 255));
    out[1] = static_cast<unsigned char>(h.month);
    out[2] = static_cast<unsigned char>(h.day);
    put32(out + 3, h.recordCount);
}

std::vector<unsigned char> buildDbfHeader(const DbfHeader& h)
{
    std::vector<unsigned char> out(h.headerLength, 0);
    out[0] = h.version;
    encodeDateAndCount(h, out.data() + 1);
    put16(out.data() + 8, h.headerLength);
    put16(out.data() + 10, h.recordLength);
    out[28] = h.tableFlags;
    out[29] = h.codePage;
    std::size_t pos = kPrologueSize;
    for (const DbfField& f : h.fields) {
        unsigned char* d = out.data() + pos;
        std::memcpy(d, f.name.data(), std::min<std::size_t>(f.name.size(), 10));
        d[11] = static_cast<unsigned char>(f.type);
        put32(d + 12, static_cast<std::uint32_t>(f.offset));
        d[16] = static_cast<unsigned char>(f.width & 0xFF);
        d[17] = static_cast<unsigned char>(f.type == 'C' ? f.width >> 8 : f.decimals);
        pos += kDescriptorSize;
    }
    out[pos] = static_cast<unsigned char>(kHeaderTerminator);
    return out;
}

} // namespace xb
