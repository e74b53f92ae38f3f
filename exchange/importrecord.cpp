#include "exchange/importrecord.h"

#include "exchange/importloop.h"
#include "exchange/storabletext.h"
#include "table/cp1252.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <algorithm>
#include <cstring>

namespace {

// Writes text into width bytes at out; gives whether a character became "?".
bool Put(const QString& text, char* out, std::size_t width)
{
    const QChar* c = text.constData();
    const auto size = static_cast<std::size_t>(text.size());
    if (std::all_of(c, c + size, [](QChar ch) { return ch.unicode() < 0x80; })) {
        const auto length = std::min(size, width);
        std::transform(c, c + length, out, [](QChar ch) { return static_cast<char>(ch.unicode()); });
        std::memset(out + length, ' ', width - length);
        return false;
    }
    // Beyond plain ASCII the code page's own conversion decides, "?" standing in for what it lacks.
    bool replaced = false;
    const std::string bytes = StringToCp1252(StorableText(text, replaced)).value_or(std::string());
    const auto stored = std::min(bytes.size(), width);
    std::memcpy(out, bytes.data(), stored);
    std::memset(out + stored, ' ', width - stored);
    return replaced;
}

} // namespace

bool ImportRecord::Fill(const std::vector<ImportValue>& values, bool& replaced)
{
    bytes_.resize(static_cast<std::size_t>(table_.RecordSize()));
    for (const ImportValue& value : values) {
        const TField* field = value.field;
        if (field && !value.text.isEmpty() &&
            (field->DataType() != TFieldType::String || field->Calculated() ||
             static_cast<std::size_t>(field->Offset() + field->Size()) > bytes_.size()))
            return false;
    }
    replaced = false;
    std::fill(bytes_.begin(), bytes_.end(), ' ');
    for (const ImportValue& value : values) {
        if (value.text.isEmpty() || value.field == nullptr)
            continue;
        char* out = bytes_.data() + value.field->Offset();
        replaced = Put(value.text, out, static_cast<std::size_t>(value.field->Size())) || replaced;
    }
    return true;
}
