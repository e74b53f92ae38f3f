#include "select/upperfold.h"

#include "table/cp1252.h"
#include "xbase/codepage.h"

QString upperCaseLikeEngine(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        // Characters the code page cannot hold cannot be stored either; they stay as typed.
        const std::optional<std::string> byte = StringToCp1252(QString(c));
        if (!byte)
            continue;
        const char upper = static_cast<char>(xb::upperCp1252(static_cast<unsigned char>(byte->front())));
        c = Cp1252ToString(std::string_view(&upper, 1)).front();
    }
    return result;
}
