#include "select/filterfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

namespace {

// Field order of the file's first eighteen lines; it differs from the expression order
// (date, codes and comments come before the web page).
constexpr std::array<QueryField, QueryFieldCount> kFileOrder{
    QueryField::LName, QueryField::FName,   QueryField::Title,    QueryField::Org,
    QueryField::Street, QueryField::Street2, QueryField::Zip,     QueryField::City,
    QueryField::State, QueryField::Country, QueryField::Phone,    QueryField::Phone2,
    QueryField::Fax,   QueryField::Email,   QueryField::Date,     QueryField::Codes,
    QueryField::Comments, QueryField::WebPage,
};

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1252("windows-1252");
    return cp1252.decode(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            line += c;
            continue;
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        lines << line;
        line.clear();
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

// A line break inside a pattern would shift every later line of the file.
QByteArray oneLine(const QString& text)
{
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line.toUtf8();
}

} // namespace

QByteArray formatFilterFile(const QueryValues& values)
{
    static const QByteArray eol = "\r\n";
    QByteArray bytes;
    for (QueryField field : kFileOrder)
        bytes += oneLine(values[field]) + eol;
    bytes += (values.tagged ? "T" : "F") + eol;
    bytes += (values.reverse ? "T" : "F") + eol;
    return bytes;
}

QueryValues parseFilterFile(const QByteArray& bytes)
{
    QStringList lines = splitLines(decode(bytes));
    while (lines.size() < FilterFileLineCount)
        lines << QString();
    QueryValues values;
    for (std::size_t i = 0; i < kFileOrder.size(); ++i)
        values[kFileOrder[i]] = lines[static_cast<qsizetype>(i)];
    values.tagged = lines[18] == u"T";
    values.reverse = lines[19] == u"T";
    return values;
}

bool writeFilterFile(const QString& path, const QueryValues& values)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(formatFilterFile(values));
    return file.commit();
}

std::optional<QueryValues> readFilterFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return parseFilterFile(bytes);
}

std::optional<QString> filterSavePath(const QString& chosen)
{
    const QString name = QFileInfo(chosen).fileName();
    if (isFilterFileName(chosen))
        return chosen;
    if (name.contains(u'.'))
        return std::nullopt;
    return chosen + QStringLiteral(".FLT");
}

bool isFilterFileName(const QString& path)
{
    return QFileInfo(path).suffix().compare(u"FLT", Qt::CaseInsensitive) == 0;
}
