// The settings file is outside input: it may be edited by hand or left by an older
// installation in another encoding. Whatever its bytes, reading must not fail, writing a
// key must read back what was written, and every other key must keep its value.

#include "platform/inifile.h"
#include "platform/textfile.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

namespace {

// A section or key name made of letters and digits from the input, never empty.
QString nameFrom(const QByteArray& bytes)
{
    QString name = QStringLiteral("k");
    for (const char c : bytes)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            name += QLatin1Char(c);
    return name;
}

// What a value reads back as: line breaks flattened, blanks trimmed, one pair of
// matching quotes removed.
QString expectedRead(QString value)
{
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')))
        value = value.mid(1, value.size() - 2);
    return value;
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // The first bytes choose the section, key and value to write; the rest is the file.
    const QList<QByteArray> parts = bytes.split('\x01');
    const QString text = DecodeTextFile(parts.value(0));
    const QString section = nameFrom(parts.value(1));
    const QString key = nameFrom(parts.value(2));
    const QString value = QString::fromUtf8(parts.value(3));

    IniText ini(text);
    const QString once = ini.Text();
    check(IniText(once).Text() == once);
    ParseIniInteger(ini.Value(section, key), 7);

    // A neighbour key in the same section must survive the write untouched.
    const QString neighbour = key + QStringLiteral("x");
    bool hadNeighbour = false;
    const QString neighbourBefore = ini.Value(section, neighbour, &hadNeighbour);

    ini.SetValue(section, key, value);
    const IniText reread(ini.Text());
    bool found = false;
    check(reread.Value(section, key, &found) == expectedRead(value));
    check(found);
    bool hasNeighbour = false;
    check(reread.Value(section, neighbour, &hasNeighbour) == neighbourBefore);
    check(hasNeighbour == hadNeighbour);
    return 0;
}
