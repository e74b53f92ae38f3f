#include "duplicates/streetkey.h"

#include "duplicates/textfold.h"

#include <QHash>
#include <QStringList>

namespace {

const QHash<QString, QString>& Shortened()
{
    static const QHash<QString, QString> words = {
        {QStringLiteral("street"), QStringLiteral("st")},      {QStringLiteral("str"), QStringLiteral("st")},
        {QStringLiteral("avenue"), QStringLiteral("ave")},     {QStringLiteral("av"), QStringLiteral("ave")},
        {QStringLiteral("road"), QStringLiteral("rd")},        {QStringLiteral("drive"), QStringLiteral("dr")},
        {QStringLiteral("boulevard"), QStringLiteral("blvd")}, {QStringLiteral("lane"), QStringLiteral("ln")},
        {QStringLiteral("court"), QStringLiteral("ct")},       {QStringLiteral("place"), QStringLiteral("pl")},
        {QStringLiteral("terrace"), QStringLiteral("ter")},    {QStringLiteral("parkway"), QStringLiteral("pkwy")},
        {QStringLiteral("highway"), QStringLiteral("hwy")},    {QStringLiteral("circle"), QStringLiteral("cir")},
        {QStringLiteral("square"), QStringLiteral("sq")},      {QStringLiteral("north"), QStringLiteral("n")},
        {QStringLiteral("south"), QStringLiteral("s")},        {QStringLiteral("east"), QStringLiteral("e")},
        {QStringLiteral("west"), QStringLiteral("w")},         {QStringLiteral("northeast"), QStringLiteral("ne")},
        {QStringLiteral("northwest"), QStringLiteral("nw")},   {QStringLiteral("southeast"), QStringLiteral("se")},
        {QStringLiteral("southwest"), QStringLiteral("sw")},   {QStringLiteral("apartment"), QStringLiteral("apt")},
        {QStringLiteral("suite"), QStringLiteral("ste")},      {QStringLiteral("mount"), QStringLiteral("mt")},
        {QStringLiteral("saint"), QStringLiteral("st")},       {QStringLiteral("first"), QStringLiteral("1st")},
        {QStringLiteral("second"), QStringLiteral("2nd")},     {QStringLiteral("third"), QStringLiteral("3rd")},
        {QStringLiteral("fourth"), QStringLiteral("4th")},     {QStringLiteral("fifth"), QStringLiteral("5th")},
    };
    return words;
}

bool AllZeros(const QString& word)
{
    for (const QChar c : word)
        if (c != QLatin1Char('0'))
            return false;
    return true;
}

} // namespace

StreetKey StreetKeyOf(const QString& street)
{
    StreetKey key;
    QStringList words;
    bool afterNumber = false;
    for (const QString& word : FoldText(street).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (key.number.isEmpty() && word.front().isDigit()) {
            key.number = word;
            afterNumber = true;
            continue;
        }
        // Some files carry house numbers with decimals ("12.00"); the folding split them.
        if (afterNumber && AllZeros(word))
            continue;
        afterNumber = false;
        words.append(Shortened().value(word, word));
    }
    key.words = words.join(QLatin1Char(' '));
    return key;
}
