// Typed patterns and filter files are outside input. Whatever is typed into a query
// field must become an expression the engine compiles to a logical test (or no term at
// all), and a filter file must read back what formatting it wrote.

#include "select/filterexpression.h"
#include "select/filterfile.h"

#include "table/cp1252.h"
#include "xbase/expression.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<xb::DbfField> addressFields()
{
    // Every field a query term names ("CITY+STATE" names two that have terms of their own).
    std::vector<xb::DbfField> fields;
    int offset = 1;
    for (QueryField field : allQueryFields()) {
        const std::string expression = queryFieldInfo(field).expression;
        fields.push_back({expression.substr(0, expression.find('+')), 'C', 30, 0, offset});
        offset += 30;
    }
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<xb::DbfField> fields = addressFields();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    // The engine takes only what Windows-1252 can hold; other patterns never reach it.
    const QString term = filterTerm(QStringLiteral("CITY+STATE"), text);
    if (const std::optional<std::string> bytes = StringToCp1252(term); bytes && !term.isEmpty()) {
        std::string error;
        const auto compiled = xb::Expression::compile(*bytes, fields, error);
        if (!compiled || compiled->type() != xb::ValueType::Logical)
            std::abort();
    }

    const QueryValues values = parseFilterFile(text);
    if (parseFilterFile(formatFilterFile(values)) != values)
        std::abort();
    return 0;
}
