#include "select/filterfile.h"

#include "platform/textfile.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// Field order of the file's first eighteen lines; it differs from the expression order
// (date, codes and comments come before the web page).
constexpr std::array<QueryField, QueryFieldCount> kFileOrder{
    QueryField::LName,   QueryField::FName,    QueryField::Title,   QueryField::Org,   QueryField::Street,
    QueryField::Street2, QueryField::Zip,      QueryField::City,    QueryField::State, QueryField::Country,
    QueryField::Phone,   QueryField::Phone2,   QueryField::Fax,     QueryField::Email, QueryField::Date,
    QueryField::Codes,   QueryField::Comments, QueryField::WebPage,
};

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
QString oneLine(const QString& text)
{
    QString line = text;
    return line.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

QString formatFilterFile(const QueryValues& values)
{
    const QString eol = QStringLiteral("\r\n");
    QString text;
    for (QueryField field : kFileOrder)
        text += oneLine(values[field]) + eol;
    text += QChar(values.tagged ? u'T' : u'F') + eol;
    text += QChar(values.reverse ? u'T' : u'F') + eol;
    return text;
}

QueryValues parseFilterFile(const QString& text)
{
    QStringList lines = splitLines(text);
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
    return WriteTextFile(path, formatFilterFile(values));
}

std::optional<QueryValues> readFilterFile(const QString& path)
{
    bool opened = false;
    const QString text = ReadTextFile(path, &opened);
    if (!opened)
        return std::nullopt;
    return parseFilterFile(text);
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
