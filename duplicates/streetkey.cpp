#include "duplicates/streetkey.h"

#include "duplicates/textfold.h"

#include <algorithm>
#include <iterator>

namespace {

struct Shortening {
    QStringView word, shortened;
};

// Sorted by word, for a search that needs no string made.
constexpr Shortening kShortened[] = {
    {u"apartment", u"apt"}, {u"av", u"ave"},       {u"avenue", u"ave"}, {u"boulevard", u"blvd"},
    {u"circle", u"cir"},    {u"court", u"ct"},     {u"drive", u"dr"},   {u"east", u"e"},
    {u"fifth", u"5th"},     {u"first", u"1st"},    {u"fourth", u"4th"}, {u"highway", u"hwy"},
    {u"lane", u"ln"},       {u"mount", u"mt"},     {u"north", u"n"},    {u"northeast", u"ne"},
    {u"northwest", u"nw"},  {u"parkway", u"pkwy"}, {u"place", u"pl"},   {u"road", u"rd"},
    {u"saint", u"st"},      {u"second", u"2nd"},   {u"south", u"s"},    {u"southeast", u"se"},
    {u"southwest", u"sw"},  {u"square", u"sq"},    {u"str", u"st"},     {u"street", u"st"},
    {u"suite", u"ste"},     {u"terrace", u"ter"},  {u"third", u"3rd"},  {u"west", u"w"},
};

QStringView Shortened(QStringView word)
{
    // Found by the first letter, then compared whole: fewer string comparisons than a
    // binary search over every word.
    const QChar first = word.front();
    for (auto at = std::lower_bound(std::begin(kShortened), std::end(kShortened), first,
                                    [](const Shortening&s, QChar c) { return s.word.front() < c; });
         at != std::end(kShortened) && at->word.front() == first; ++at)
        if (at->word == word)
            return at->shortened;
    return word;
}

bool AllZeros(QStringView word)
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
    QString folded;
    StreetKeyInto(street, key, folded);
    return key;
}

void StreetKeyInto(QStringView street, StreetKey& key, QString& folded)
{
    FoldTextInto(street, folded);
    key.number.resize(0);
    // The words are found and copied by hand into room for the longest key the text can
    // give (a shortening may add a letter): a tokenizer and appends cost more than the key.
    key.words.resize(2 * folded.size());
    QChar* const start = key.words.data();
    QChar* out = start;
    bool afterNumber = false;
    const QChar* const end = folded.constData() + folded.size();
    for (const QChar* at = folded.constData(); at < end; ++at) {
        const QChar* const wordEnd = std::find(at, end, QLatin1Char(' '));
        const QStringView word(at, wordEnd);
        at = wordEnd;
        if (word.isEmpty())
            continue;
        if (key.number.isEmpty() && word.front().isDigit()) {
            key.number.append(word.data(), word.size());
            afterNumber = true;
            continue;
        }
        // Some files carry house numbers with decimals ("12.00"); the folding split them.
        if (afterNumber && AllZeros(word))
            continue;
        afterNumber = false;
        if (out != start)
            *out++ = QLatin1Char(' ');
        const QStringView shortened = Shortened(word);
        out = std::copy(shortened.begin(), shortened.end(), out);
    }
    key.words.truncate(out - start);
}
