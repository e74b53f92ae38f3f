#pragma once
// The DBF file header: the 32-byte table prologue and the field descriptors that
// follow it. Parsing is separate from file access so that it can be tested and
// fuzzed on bytes alone.

#include <cstdint>
#include <string>
#include <vector>

namespace xb {

struct DbfField {
    std::string name; // upper case as stored, at most 10 bytes
    char type = 'C';  // C N F L D M I B Y T G ... as stored
    int width = 0;
    int decimals = 0;
    int offset = 0; // byte offset within the record; the delete mark is byte 0
};

struct DbfHeader {
    std::uint8_t version = 0x03;
    int year = 0; // full year of the last update
    int month = 0;
    int day = 0;
    std::uint32_t recordCount = 0;
    std::uint16_t headerLength = 0;
    std::uint16_t recordLength = 0;
    std::uint8_t tableFlags = 0; // bit 0: structural index present, bit 1: memo
    std::uint8_t codePage = 0;   // 0 is read as Windows-1252
    std::vector<DbfField> fields;
};

inline constexpr std::uint8_t kFlagStructuralIndex = 0x01;
inline constexpr std::uint8_t kCodePageWindows1252 = 0x03;
inline constexpr int kPrologueSize = 32;
inline constexpr int kDescriptorSize = 32;
inline constexpr char kHeaderTerminator = 0x0D;
inline constexpr char kEndOfFile = 0x1A;

// Bytes 0-31 alone: enough to learn how long the whole header is.
bool parseDbfPrologue(const unsigned char* data, std::size_t size, DbfHeader& header, std::string& error);

// The whole header (headerLength bytes, or fewer when the file is shorter).
// Checks that the fields fit the stated record length; the stated lengths win.
bool parseDbfHeader(const unsigned char* data, std::size_t size, DbfHeader& header, std::string& error);

// A new FoxPro-style header for the given fields: offsets, lengths and the
// terminator are computed here. The version byte, date, count, flags and code page
// come from the header passed in.
std::vector<unsigned char> buildDbfHeader(const DbfHeader& header);

// Lays out fields (offsets, record and header lengths) for a new table.
// Fails with a message on a bad name, type, width or decimal count.
bool layoutFields(DbfHeader& header, std::string& error);

// Bytes 1-3 and 4-7 of the prologue, the part rewritten on every commit.
void encodeDateAndCount(const DbfHeader& header, unsigned char out[7]);

} // namespace xb
