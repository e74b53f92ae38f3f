#include "exchange/tablesource.h"

#include "table/cp1252.h"
#include "table/tfield.h"
#include "table/ttable.h"

#include <QFile>

namespace {

constexpr qint64 kLanguageDriverOffset = 29;

// Language driver marks of dBase, FoxPro and Visual FoxPro tables.
const char* CodePageOfMark(unsigned char mark)
{
    switch (mark) {
    case 0x01:
    case 0x09:
    case 0x0B:
    case 0x0D:
    case 0x0F:
    case 0x11:
    case 0x15:
    case 0x18:
    case 0x19:
    case 0x1B:
        return "IBM437";
    case 0x02:
    case 0x0A:
    case 0x0E:
    case 0x10:
    case 0x12:
    case 0x14:
    case 0x16:
    case 0x1A:
    case 0x1D:
    case 0x25:
    case 0x37:
        return "IBM850";
    case 0x1F:
    case 0x22:
    case 0x23:
    case 0x40:
    case 0x64:
    case 0x87:
        return "IBM852";
    case 0x08:
    case 0x17:
    case 0x66:
        return "IBM865";
    case 0x24:
        return "IBM860";
    case 0x1C:
        return "IBM863";
    case 0x26:
    case 0x65:
        return "IBM866";
    case 0x67:
        return "IBM861";
    case 0x6A:
        return "IBM737";
    case 0x6B:
    case 0x88:
        return "IBM857";
    case 0x13:
    case 0x7B:
        return "Shift_JIS";
    case 0x4D:
    case 0x7A:
        return "GBK";
    case 0x4E:
    case 0x79:
        return "windows-949";
    case 0x4F:
    case 0x78:
        return "Big5";
    case 0x50:
    case 0x7C:
        return "windows-874";
    case 0x7D:
        return "windows-1255";
    case 0x7E:
        return "windows-1256";
    case 0xC8:
        return "windows-1250";
    case 0xC9:
        return "windows-1251";
    case 0xCA:
        return "windows-1254";
    case 0xCB:
        return "windows-1253";
    case 0xCC:
        return "windows-1257";
    case 0x04:
        return "macintosh";
    default:
        return "windows-1252";
    }
}

} // namespace

QByteArray DbfCodePage(const QString& path)
{
    QFile file(path);
    char mark = 0;
    if (!file.open(QIODevice::ReadOnly) || !file.seek(kLanguageDriverOffset) || !file.getChar(&mark))
        return QByteArrayLiteral("windows-1252");
    return CodePageOfMark(static_cast<unsigned char>(mark));
}

TableImportSource::TableImportSource(TTable& source, long recordCount, const std::vector<TablePair>& pairs,
                                     const QByteArray& codePage)
    : source_(source), decoder_(codePage.constData(), QStringConverter::Flag::Stateless), count_(recordCount),
      convert_(codePage != "windows-1252" && decoder_.isValid())
{
    for (const TablePair& pair : pairs)
        if (pair.from && pair.to && pair.from->DataType() != TFieldType::Memo)
            pairs_.push_back(pair);
}

long TableImportSource::Expected()
{
    return count_;
}

QString TableImportSource::Text(const TField& field)
{
    const QString text = field.AsString();
    if (!convert_ || field.DataType() != TFieldType::String)
        return text;
    // The component read the bytes as Windows-1252, which gives every byte back unchanged.
    const std::string bytes = StringToCp1252(text).value_or(std::string());
    return decoder_.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool TableImportSource::Next(std::vector<ImportValue>& values)
{
    try {
        if (!started_) {
            started_ = true;
            source_.First();
        } else {
            source_.Next();
        }
        if (source_.Eof() || source_.IsEmpty())
            return false;
        position_ = source_.CurrentRecNo();
        for (const TablePair& pair : pairs_)
            values.push_back({pair.to, Text(*pair.from)});
    } catch (const std::exception& e) {
        throw ImportReadError{QString::fromUtf8(e.what())};
    }
    return true;
}
