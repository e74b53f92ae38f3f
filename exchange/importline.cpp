#include "exchange/importline.h"

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

// held: the line had quotes, so its quoted commas stand as kHeldComma.
QString Unwrap(QStringView part, bool held)
{
    if (part.size() >= 2 && part.front() == kQuote && part.back() == kQuote)
        part = part.sliced(1, part.size() - 2);
    QString value = part.toString();
    if (held)
        value.replace(kHeldComma, kComma);
    return value;
}

} // namespace

void SplitImportLine(QStringView line, QStringList& values)
{
    values.clear();
    // Only a line with quotes needs a copy to mark its quoted commas in.
    QString held;
    QStringView all = line;
    const bool quoted = line.contains(kQuote);
    if (quoted) {
        held = line.toString();
        HoldQuotedCommas(held);
        all = held;
    }
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = all.indexOf(kComma, start);
        if (comma < 0) {
            values.append(Unwrap(all.sliced(start), quoted));
            return;
        }
        values.append(Unwrap(all.sliced(start, comma - start), quoted));
        start = comma + 1;
    }
}

QStringList SplitImportLine(QStringView line)
{
    QStringList values;
    SplitImportLine(line, values);
    return values;
}
