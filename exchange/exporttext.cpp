#include "exchange/exporttext.h"

#include "exchange/exportbytes.h"

void AppendTextLine(const ExportValues& values, QByteArray& out)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        out.append(i > 0 ? ",\"" : "\"");
        AppendWindows1252(values[i], out);
        out.append('"');
    }
    out.append("\r\n");
}
