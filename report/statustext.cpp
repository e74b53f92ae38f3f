#include "report/statustext.h"

QString ExpandStatus(const QString& format, const StatusValues& values)
{
    QString out;
    out.reserve(format.size() + 16);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%') || i + 1 == format.size()) {
            out += c;
            continue;
        }
        const QChar code = format[++i].toUpper();
        if (code.isDigit() && code.unicode() < 128) {
            const qsizetype line = code.unicode() - '0';
            if (line < values.lines.size())
                out += values.lines[line];
            continue;
        }
        switch (code.unicode()) {
        case '%':
            out += QLatin1Char('%');
            break;
        case 'P':
            out += QString::number(values.page);
            break;
        case 'F':
            out += QString::number(values.firstPage);
            break;
        case 'L':
            out += QString::number(values.lastPage);
            break;
        case 'D':
            out += values.device;
            break;
        case 'R':
            out += values.driver;
            break;
        case 'T':
            out += values.port;
            break;
        default:
            out += QStringLiteral("<ERROR-%") + code + QLatin1Char('>');
            break;
        }
    }
    return out;
}
