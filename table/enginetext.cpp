#include "table/enginetext.h"

#include "table/cp1252.h"
#include "table/tableerror.h"

#include <QFile>

namespace {

void CheckLength(const std::string& bytes, const QString& text)
{
    if (bytes.size() > static_cast<std::size_t>(EngineText::kMaxLength))
        throw TableError(
            QStringLiteral("Text longer than %1 characters: %2...").arg(EngineText::kMaxLength).arg(text.left(40)));
}

} // namespace

EngineText::EngineText(std::string bytes) : bytes_(std::move(bytes)) {}

EngineText EngineText::Text(const QString& text)
{
    auto bytes = StringToCp1252(text);
    if (!bytes)
        throw TableError(QStringLiteral("Text holds a character that the file cannot store: %1").arg(text));
    CheckLength(*bytes, text);
    return EngineText(std::move(*bytes));
}

EngineText EngineText::Path(const QString& path)
{
    QByteArray encoded = QFile::encodeName(path);
    std::string bytes(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    CheckLength(bytes, path);
    return EngineText(std::move(bytes));
}
