#pragma once
// The typed value stream of label files and the template catalogue: each value is one
// type byte and its payload, little-endian, with no header of its own.
//
//   TValueWriter out;
//   out.WriteListBegin();  out.WriteInteger(1);  out.WriteText("5160");  out.WriteListEnd();
//   TValueReader in(out.Data());
//   in.ReadListBegin() && in.ReadInteger() && in.ReadText() && in.ReadListEnd();
//
// Texts are bytes here (Windows-1252 in the files); the callers convert them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace valuetype {
inline constexpr std::uint8_t EndOfList = 0x00;
inline constexpr std::uint8_t BeginOfList = 0x01;
inline constexpr std::uint8_t Int8 = 0x02;
inline constexpr std::uint8_t Int16 = 0x03;
inline constexpr std::uint8_t Int32 = 0x04;
inline constexpr std::uint8_t Extended = 0x05;
inline constexpr std::uint8_t ShortText = 0x06;
inline constexpr std::uint8_t False = 0x08;
inline constexpr std::uint8_t True = 0x09;
inline constexpr std::uint8_t LongText = 0x0C;
} // namespace valuetype

class TValueWriter {
public:
    void WriteListBegin();
    void WriteListEnd();
    // The smallest of the one-, two- and four-byte forms that holds the value.
    void WriteInteger(std::int32_t value);
    // Always the 10-byte extended form.
    void WriteFloat(double value);
    // One length byte below 256 bytes, four above.
    void WriteText(std::string_view bytes);
    void WriteBoolean(bool value);

    const std::string& Data() const { return data_; }

private:
    std::string data_;
};

// Each read gives nothing when the next value is not of the kind asked for or the data
// ends; a caller stops at the first such failure.
class TValueReader {
public:
    // Reads the bytes in place: they must outlive the reader.
    explicit TValueReader(std::string_view data) : data_(data) {}
    explicit TValueReader(std::string&&) = delete;

    bool ReadListBegin();
    bool ReadListEnd();
    // Any of the three integer forms.
    std::optional<std::int32_t> ReadInteger();
    // The extended form or any integer form. A stored infinity or NaN does not read: no
    // length or count of a label may be one.
    std::optional<double> ReadFloat();
    std::optional<std::string> ReadText();
    // Any single type byte: 0x09 is true, every other is false.
    std::optional<bool> ReadBoolean();

    // Passes over every value up to and including the end of the list being read, lists
    // within it too, so a reader can step over what a later version added. False when the
    // data ends first or holds a type it does not know.
    bool SkipToListEnd();

    bool AtEnd() const { return pos_ >= data_.size(); }

private:
    std::optional<std::uint8_t> Byte();
    bool Take(std::size_t count, std::string_view* bytes);
    std::optional<std::int32_t> IntegerOfType(std::uint8_t type);

    std::string_view data_;
    std::size_t pos_ = 0;
};
