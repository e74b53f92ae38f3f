#pragma once
// Readable failure messages for Qt text and query values in assertions.

#include "select/queryvalues.h"

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QueryValues& values, std::ostream* out)
{
    *out << '{';
    for (const QString& text : values.texts)
        *out << '"' << text.toStdString() << "\" ";
    *out << (values.tagged ? "tagged " : "") << (values.reverse ? "reverse" : "") << '}';
}
