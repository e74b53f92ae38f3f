#include "exchange/importline.h"

#include <algorithm>

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kComma = QLatin1Char(',');
// Stands in for a comma inside quotes while the line is cut at the others.
const QChar kHeldComma = QChar(127);

// Walks from the first quote with an inside-quotes switch. A quote right after another
// quote is the second half of a doubled quote, unless it closes the value (it stands
// before a comma or the line's end while inside).
void HoldQuotedCommas(QString& line)
{
    const qsizetype first = line.indexOf(kQuote);
    if (first < 0)
        return;
    bool inside = false;
    QChar* c = line.data();
    const qsizetype size = line.size();
    for (qsizetype i = first; i < size; ++i) {
        if (c[i] == kQuote) {
            const bool afterQuote = i > 0 && c[i - 1] == kQuote;
            if (!afterQuote)
                inside = !inside;
            else if (inside && (i + 1 == size || c[i + 1] == kComma))
                inside = false;
        } else if (c[i] == kComma && inside) {
            c[i] = kHeldComma;
        }
    }
}

QStringView Unwrap(QStringView part)
{
    if (part.size() >= 2 && part.front() == kQuote && part.back() == kQuote)
        return part.sliced(1, part.size() - 2);
    return part;
}

} // namespace

void SplitImportLine(QStringView line, QString& held, std::vector<QStringView>& values)
{
    values.clear();
    // Only a line with quotes (or with the stand-in itself, read as a comma as well) needs a
    // copy to mark its quoted commas in.
    QStringView all = line;
    if (line.contains(kQuote) || line.contains(kHeldComma)) {
        held = line.toString();
        HoldQuotedCommas(held);
        all = held;
    }
    for (qsizetype start = 0;;) {
        const qsizetype comma = all.indexOf(kComma, start);
        if (comma < 0) {
            values.push_back(Unwrap(all.sliced(start)));
            break;
        }
        values.push_back(Unwrap(all.sliced(start, comma - start)));
        start = comma + 1;
    }
    if (all.data() != held.constData())
        return;
    // The cuts are made: the held commas go back in place, under the views.
    for (QChar *c = held.data(), *end = c + held.size(); c != end; ++c)
        if (*c == kHeldComma)
            *c = kComma;
}

void SplitImportLine(QStringView line, QStringList& values)
{
    QString held;
    std::vector<QStringView> parts;
    SplitImportLine(line, held, parts);
    values.clear();
    for (const QStringView part : parts)
        values.append(part.toString());
}

QStringList SplitImportLine(QStringView line)
{
    QStringList values;
    SplitImportLine(line, values);
    return values;
}

qsizetype SplitCsvRecord(QStringView text, qsizetype from, QStringList* values)
{
    if (values)
        values->clear();
    const qsizetype size = text.size();
    QString value;
    qsizetype i = from;
    for (;;) {
        value.clear();
        if (i < size && text[i] == kQuote) {
            // Quoted: to the quote that is not doubled, or the text's end.
            for (++i;;) {
                qsizetype quote = text.indexOf(kQuote, i);
                if (quote < 0)
                    quote = size;
                value.append(text.sliced(i, quote - i));
                i = quote + 1;
                if (quote >= size - 1 || text[quote + 1] != kQuote)
                    break;
                value.append(kQuote);
                ++i;
            }
            i = std::min(i, size);
        }
        qsizetype end = i;
        while (end < size && text[end] != kComma && text[end] != QLatin1Char('\n'))
            ++end;
        if (values) {
            qsizetype stop = end;
            if (stop < size && text[stop] == QLatin1Char('\n') && stop > i && text[stop - 1] == QLatin1Char('\r'))
                --stop;
            value.append(text.sliced(i, stop - i));
            values->append(value);
        }
        if (end >= size)
            return size;
        if (text[end] == QLatin1Char('\n'))
            return end + 1;
        i = end + 1;
    }
}
