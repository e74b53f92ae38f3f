#include "duplicates/textfold.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace {

// Letters that decomposition leaves whole, lower and upper case.
QString Spelled(QChar c)
{
    static const QHash<QChar, QString> letters = {
        {QChar(u'ß'), QStringLiteral("ss")}, {QChar(u'æ'), QStringLiteral("ae")}, {QChar(u'Æ'), QStringLiteral("ae")},
        {QChar(u'œ'), QStringLiteral("oe")}, {QChar(u'Œ'), QStringLiteral("oe")}, {QChar(u'ø'), QStringLiteral("o")},
        {QChar(u'Ø'), QStringLiteral("o")},  {QChar(u'ł'), QStringLiteral("l")},  {QChar(u'Ł'), QStringLiteral("l")},
        {QChar(u'đ'), QStringLiteral("d")},  {QChar(u'Đ'), QStringLiteral("d")},
    };
    return c.unicode() < 0x80 ? QString() : letters.value(c);
}

bool Ascii(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() > 0x7f)
            return false;
    return true;
}

QHash<QString, NameGroups> LoadNicknames()
{
    QHash<QString, NameGroups> groups;
    QFile file(QStringLiteral(":/duplicates/nicknames.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return groups;
    quint16 group = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        ++group;
        for (const QString& word : line.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            NameGroups& of = groups[word];
            if (of[0] == 0)
                of[0] = group;
            else if (of[1] == 0 && of[0] != group)
                of[1] = group;
        }
    }
    return groups;
}

// The same folding for plain ASCII, the usual case, without Unicode's tables.
void FoldAscii(QStringView text, QString& into)
{
    into.resize(text.size());
    QChar* out = into.data();
    QChar* const start = out;
    bool gap = false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool lower = u >= 'a' && u <= 'z';
        const bool upper = u >= 'A' && u <= 'Z';
        if (!lower && !upper && !(u >= '0' && u <= '9')) {
            gap = gap || u != '\'';
            continue;
        }
        if (gap && out != start)
            *out++ = QLatin1Char(' ');
        gap = false;
        *out++ = QChar(upper ? char16_t(u + ('a' - 'A')) : u);
    }
    into.truncate(out - start);
}

} // namespace

QString FoldText(const QString& text)
{
    QString folded;
    FoldTextInto(text, folded);
    return folded;
}

void FoldTextInto(QStringView text, QString& into)
{
    if (Ascii(text)) {
        FoldAscii(text, into);
        return;
    }
    const QString decomposed = text.toString().normalized(QString::NormalizationForm_KD);
    into.resize(0);
    bool gap = false;
    for (const QChar c : decomposed) {
        if (c.isMark() || c == QLatin1Char('\'') || c.unicode() == 0x2019)
            continue;
        if (!c.isLetterOrNumber()) {
            gap = true;
            continue;
        }
        if (gap && !into.isEmpty())
            into += QLatin1Char(' ');
        gap = false;
        const QString spelled = Spelled(c);
        if (spelled.isEmpty())
            into += c.toLower();
        else
            into += spelled;
    }
}

NameGroups NameGroupsOf(const QString& foldedName)
{
    // Resources of a static library are registered by hand, once.
    static const QHash<QString, NameGroups> table = [] {
        Q_INIT_RESOURCE(duplicates);
        return LoadNicknames();
    }();
    return table.value(foldedName, NameGroups{0, 0});
}
