#include "exchange/storedcopy.h"

#include "table/tfield.h"
#include "table/ttable.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kEightBlanks[] = "        ";

bool StoredText(const TField& field)
{
    return field.DataType() == TFieldType::String && !field.Calculated();
}

} // namespace

StoredCopy::StoredCopy(const ExportFieldSet& from, const ExportFieldSet& to, const TTable& target)
    : record_(static_cast<std::size_t>(target.RecordSize()), ' ')
{
    for (int i = 0; i < ExportFieldCount; ++i) {
        const TField& source = from[i];
        const TField& field = to[i];
        usable_ = usable_ && StoredText(source) && StoredText(field);
        const auto span = Span{static_cast<std::size_t>(source.Offset()), static_cast<std::size_t>(source.Size()),
                               static_cast<std::size_t>(field.Offset()), static_cast<std::size_t>(field.Size())};
        usable_ = usable_ && span.to + span.toWidth <= record_.size();
        sourceEnd_ = std::max(sourceEnd_, span.from + span.fromWidth);
        spans_.push_back(span);
    }
}

const std::string* StoredCopy::Record(const TTable& source)
{
    const std::string& bytes = source.RecordBytes();
    if (bytes.size() < sourceEnd_)
        return nullptr;
    for (const Span& span : spans_) {
        const char* value = bytes.data() + span.from;
        std::size_t length = span.fromWidth;
        // Most fields end in a long run of blanks: it is passed over eight bytes at a time.
        while (length >= 8 && std::memcmp(value + length - 8, kEightBlanks, 8) == 0)
            length -= 8;
        while (length > 0 && (value[length - 1] == ' ' || value[length - 1] == '\0'))
            --length;
        length = std::min(length, span.toWidth);
        char* out = record_.data() + span.to;
        std::memcpy(out, value, length);
        std::memset(out + length, ' ', span.toWidth - length);
    }
    return &record_;
}
