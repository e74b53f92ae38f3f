#include "exchange/csvwriter.h"

#include "exchange/exportbytes.h"

namespace {

bool NeedsQuotes(QStringView value)
{
    for (QChar c : value)
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    return false;
}

} // namespace

void AppendCsvValue(QStringView value, QByteArray& out)
{
    if (!NeedsQuotes(value)) {
        AppendUtf8(value, out);
        return;
    }
    out.append('"');
    out.append(value.toUtf8().replace("\"", "\"\""));
    out.append('"');
}

void AppendCsvLine(std::span<const QString> values, QByteArray& out)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            out.append(',');
        AppendCsvValue(values[i], out);
    }
    out.append("\r\n");
}
