#include "labels/valuestream.h"

#include "labels/extended80.h"

#include <cmath>
#include <limits>

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetLittleEndian(std::string_view bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[i]);
    return value;
}

} // namespace

void TValueWriter::WriteListBegin()
{
    data_.push_back(static_cast<char>(valuetype::BeginOfList));
}

void TValueWriter::WriteListEnd()
{
    data_.push_back(static_cast<char>(valuetype::EndOfList));
}

void TValueWriter::WriteInteger(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (value >= std::numeric_limits<std::int8_t>::min() && value <= std::numeric_limits<std::int8_t>::max()) {
        data_.push_back(static_cast<char>(valuetype::Int8));
        PutLittleEndian(data_, bits, 1);
    } else if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max()) {
        data_.push_back(static_cast<char>(valuetype::Int16));
        PutLittleEndian(data_, bits, 2);
    } else {
        data_.push_back(static_cast<char>(valuetype::Int32));
        PutLittleEndian(data_, bits, 4);
    }
}

void TValueWriter::WriteFloat(double value)
{
    data_.push_back(static_cast<char>(valuetype::Extended));
    for (std::uint8_t b : DoubleToExtended(value))
        data_.push_back(static_cast<char>(b));
}

void TValueWriter::WriteText(std::string_view bytes)
{
    if (bytes.size() < 256) {
        data_.push_back(static_cast<char>(valuetype::ShortText));
        PutLittleEndian(data_, static_cast<std::uint32_t>(bytes.size()), 1);
    } else {
        data_.push_back(static_cast<char>(valuetype::LongText));
        PutLittleEndian(data_, static_cast<std::uint32_t>(bytes.size()), 4);
    }
    data_.append(bytes);
}

void TValueWriter::WriteBoolean(bool value)
{
    data_.push_back(static_cast<char>(value ? valuetype::True : valuetype::False));
}

std::optional<std::uint8_t> TValueReader::Byte()
{
    if (pos_ >= data_.size())
        return std::nullopt;
    return static_cast<std::uint8_t>(data_[pos_++]);
}

bool TValueReader::Take(std::size_t count, std::string_view* bytes)
{
    if (count > data_.size() - pos_)
        return false;
    *bytes = data_.substr(pos_, count);
    pos_ += count;
    return true;
}

bool TValueReader::ReadListBegin()
{
    return Byte() == valuetype::BeginOfList;
}

bool TValueReader::ReadListEnd()
{
    return Byte() == valuetype::EndOfList;
}

std::optional<std::int32_t> TValueReader::IntegerOfType(std::uint8_t type)
{
    const int width = type == valuetype::Int8 ? 1 : type == valuetype::Int16 ? 2 : type == valuetype::Int32 ? 4 : 0;
    std::string_view bytes;
    if (width == 0 || !Take(static_cast<std::size_t>(width), &bytes))
        return std::nullopt;
    const std::uint32_t raw = GetLittleEndian(bytes);
    if (width == 1)
        return static_cast<std::int8_t>(raw);
    if (width == 2)
        return static_cast<std::int16_t>(raw);
    return static_cast<std::int32_t>(raw);
}

std::optional<std::int32_t> TValueReader::ReadInteger()
{
    const auto type = Byte();
    if (!type)
        return std::nullopt;
    return IntegerOfType(*type);
}

std::optional<double> TValueReader::ReadFloat()
{
    const auto type = Byte();
    if (!type)
        return std::nullopt;
    if (*type != valuetype::Extended) {
        const auto integer = IntegerOfType(*type);
        return integer ? std::optional<double>(*integer) : std::nullopt;
    }
    std::string_view bytes;
    if (!Take(10, &bytes))
        return std::nullopt;
    Extended80 raw{};
    for (std::size_t i = 0; i < raw.size(); ++i)
        raw[i] = static_cast<std::uint8_t>(bytes[i]);
    const double value = ExtendedToDouble(raw);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::string> TValueReader::ReadText()
{
    const auto type = Byte();
    std::string_view length;
    if (type == valuetype::ShortText) {
        if (!Take(1, &length))
            return std::nullopt;
    } else if (type == valuetype::LongText) {
        if (!Take(4, &length))
            return std::nullopt;
    } else {
        return std::nullopt;
    }
    std::string_view bytes;
    if (!Take(GetLittleEndian(length), &bytes))
        return std::nullopt;
    return std::string(bytes);
}

std::optional<bool> TValueReader::ReadBoolean()
{
    const auto type = Byte();
    if (!type)
        return std::nullopt;
    return *type == valuetype::True;
}

bool TValueReader::SkipToListEnd()
{
    // Counted rather than recursive: a damaged file may open lists without end.
    long depth = 1;
    while (depth > 0) {
        const auto type = Byte();
        std::string_view skipped;
        if (!type)
            return false;
        switch (*type) {
        case valuetype::EndOfList:
            --depth;
            break;
        case valuetype::BeginOfList:
            ++depth;
            break;
        case valuetype::Int8:
        case valuetype::Int16:
        case valuetype::Int32:
            if (!IntegerOfType(*type))
                return false;
            break;
        case valuetype::Extended:
            if (!Take(10, &skipped))
                return false;
            break;
        case valuetype::ShortText:
        case valuetype::LongText:
            --pos_;
            if (!ReadText())
                return false;
            break;
        case valuetype::False:
        case valuetype::True:
            break;
        default:
            return false;
        }
    }
    return true;
}
