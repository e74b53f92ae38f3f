#include "table/tfield.h"

#include "table/cp1252.h"
#include "table/tableerror.h"
#include "table/ttable.h"

#include <cstdint>
#include <cstring>

namespace {

// Wide fields hold mostly blanks: these pass them eight at a time.
constexpr std::uint64_t EightBlanks = 0x2020202020202020;

std::uint64_t EightBytes(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

std::string_view TrimRight(std::string_view s)
{
    while (s.size() >= 8 && EightBytes(s.data() + s.size() - 8) == EightBlanks)
        s.remove_suffix(8);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

bool AllBlanks(std::string_view s)
{
    while (s.size() >= 8 && EightBytes(s.data()) == EightBlanks)
        s.remove_prefix(8);
    return s.find_first_not_of(' ') == std::string_view::npos;
}

std::string_view TrimLeft(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

bool IsTrueByte(char b)
{
    return b == 'T' || b == 't' || b == 'Y' || b == 'y';
}

bool IsTrueText(const QString& text)
{
    const QString t = text.trimmed().toUpper();
    return t == QLatin1String("T") || t == QLatin1String("TRUE") || t == QLatin1String("Y") ||
           t == QLatin1String("YES");
}

} // namespace

TField::TField(TTable* table, const QString& name, TFieldType type, int size, bool calculated)
    : table_(table), name_(name), type_(type), size_(size), calculated_(calculated), label_(name)
{}

void TField::SetDisplayValues(const QString& trueAndFalse)
{
    const QStringList parts = trueAndFalse.split(QLatin1Char(';'));
    trueText_ = parts.value(0);
    falseText_ = parts.value(1);
}

int TField::Index() const
{
    const auto& fields = table_->Fields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i] == this)
            return static_cast<int>(i);
    return -1;
}

void TField::SetIndex(int index)
{
    table_->MoveField(this, index);
}

QString TField::AsString() const
{
    return TextOf(table_->ActiveRecord());
}

QString TField::AsStringIn(const TRecordBuffer& record) const
{
    return TextOf(record);
}

void TField::AsStringInto(const TRecordBuffer& record, QString& into) const
{
    if (const auto raw = StoredText(record))
        Cp1252Into(*raw, into);
    else
        into = TextOf(record);
}

bool TField::AsBoolean() const
{
    return BoolOf(table_->ActiveRecord());
}

QString TField::TextOf(const TRecordBuffer& record) const
{
    if (const auto raw = StoredText(record))
        return Cp1252ToString(*raw);
    if (type_ == TFieldType::Boolean)
        return BoolOf(record) ? trueText_ : falseText_;
    if (calculated_) {
        const auto slot = static_cast<std::size_t>(calcSlot_);
        return slot < record.calc.size() ? record.calc[slot].toString() : QString();
    }
    return table_->MemoText(*this, record.recNo);
}

std::optional<std::string_view> TField::StoredText(const TRecordBuffer& record) const
{
    if (type_ == TFieldType::Boolean || type_ == TFieldType::Memo || calculated_)
        return std::nullopt;
    if (record.bytes.size() < static_cast<std::size_t>(offset_ + size_))
        return std::string_view();
    std::string_view raw = TrimRight(std::string_view(record.bytes).substr(offset_, size_));
    if (type_ == TFieldType::Numeric)
        raw = TrimLeft(raw);
    return raw;
}

bool TField::BoolOf(const TRecordBuffer& record) const
{
    if (calculated_) {
        const auto slot = static_cast<std::size_t>(calcSlot_);
        return slot < record.calc.size() && record.calc[slot].toBool();
    }
    if (type_ == TFieldType::Boolean)
        return record.bytes.size() > static_cast<std::size_t>(offset_) && IsTrueByte(record.bytes[offset_]);
    return IsTrueText(TextOf(record));
}

void TField::CheckWritable() const
{
    const TDataSetState state = table_->State();
    if (calculated_ ? state != TDataSetState::CalcFields
                    : state != TDataSetState::Edit && state != TDataSetState::Insert)
        throw TableError(QStringLiteral("Field %1 cannot be changed: the table is not being edited").arg(name_));
}

void TField::SetAsString(const QString& text)
{
    CheckWritable();
    if (calculated_) {
        table_->ActiveRecord().calc[static_cast<std::size_t>(calcSlot_)] =
            type_ == TFieldType::Boolean ? QVariant(IsTrueText(text)) : QVariant(text);
        return;
    }
    if (type_ == TFieldType::Boolean) {
        SetAsBoolean(IsTrueText(text));
        return;
    }
    if (type_ == TFieldType::Memo)
        throw TableError(QStringLiteral("Memo field %1 cannot be written").arg(name_));
    auto bytes = StringToCp1252(text);
    if (!bytes)
        throw TableError(QStringLiteral("The text for %1 holds a character that the file cannot store").arg(name_));
    const auto width = static_cast<std::size_t>(size_);
    if (type_ == TFieldType::Numeric) {
        *bytes = std::string(TrimRight(TrimLeft(*bytes)));
        if (bytes->size() > width)
            throw TableError(QStringLiteral("The number %1 does not fit field %2").arg(text, name_));
        bytes->insert(0, width - bytes->size(), ' ');
    } else {
        bytes->resize(std::min(bytes->size(), width));
        bytes->resize(width, ' ');
    }
    Store(*bytes);
}

void TField::SetAsBoolean(bool value)
{
    CheckWritable();
    if (calculated_) {
        table_->ActiveRecord().calc[static_cast<std::size_t>(calcSlot_)] = value;
        return;
    }
    if (type_ != TFieldType::Boolean) {
        SetAsString(value ? QStringLiteral("T") : QStringLiteral("F"));
        return;
    }
    Store(std::string(1, value ? 'T' : 'F'));
}

void TField::AssignStored(const TField& from)
{
    const bool stored =
        !calculated_ && !from.calculated_ && type_ == TFieldType::String && from.type_ == TFieldType::String;
    const TRecordBuffer& record = from.table_->ActiveRecord();
    if (!stored || record.bytes.size() < static_cast<std::size_t>(from.offset_ + from.size_)) {
        SetAsString(from.AsString());
        return;
    }
    CheckWritable();
    // Straight into this record, without a copy of the value in between.
    const std::string_view value = TrimRight(std::string_view(record.bytes).substr(from.offset_, from.size_))
                                       .substr(0, static_cast<std::size_t>(size_));
    std::string& bytes = table_->ActiveRecord().bytes;
    const auto at = static_cast<std::size_t>(offset_);
    const auto width = static_cast<std::size_t>(size_);
    if (bytes.size() < at + width)
        return Store(std::string(value) + std::string(width - value.size(), ' '));
    const std::string_view now = std::string_view(bytes).substr(at, width);
    if (now.substr(0, value.size()) == value && AllBlanks(now.substr(value.size())))
        return;
    std::memmove(bytes.data() + at, value.data(), value.size());
    std::memset(bytes.data() + at + value.size(), ' ', width - value.size());
    table_->FieldChanged(this);
}

void TField::Store(const std::string& bytes)
{
    std::string& record = table_->ActiveRecord().bytes;
    if (record.compare(offset_, bytes.size(), bytes) == 0)
        return;
    record.replace(static_cast<std::size_t>(offset_), bytes.size(), bytes);
    table_->FieldChanged(this);
}
