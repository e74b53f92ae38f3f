#include "duplicates/textfold.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace {

// Letters that decomposition leaves whole.
QString Spelled(QChar c)
{
    switch (c.unicode()) {
    case u'ß':
        return QStringLiteral("ss");
    case u'æ':
    case u'Æ':
        return QStringLiteral("ae");
    case u'œ':
    case u'Œ':
        return QStringLiteral("oe");
    case u'ø':
    case u'Ø':
        return QStringLiteral("o");
    case u'ł':
    case u'Ł':
        return QStringLiteral("l");
    case u'đ':
    case u'Đ':
        return QStringLiteral("d");
    default:
        return {};
    }
}

bool Ascii(const QString& text)
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

} // namespace

QString FoldText(const QString& text)
{
    const QString decomposed = Ascii(text) ? text : text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    bool gap = false;
    const auto add = [&](const QString& letters) {
        if (gap && !folded.isEmpty())
            folded += QLatin1Char(' ');
        gap = false;
        folded += letters;
    };
    for (const QChar c : decomposed) {
        if (c.isMark() || c == QLatin1Char('\'') || c.unicode() == 0x2019)
            continue;
        if (c.isLetterOrNumber()) {
            const QString spelled = Spelled(c);
            add(spelled.isEmpty() ? QString(c.toLower()) : spelled);
        } else {
            gap = true;
        }
    }
    return folded;
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
