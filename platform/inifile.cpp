#include "platform/inifile.h"

namespace {

bool isSectionLine(const QString& trimmed)
{
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'));
}

QString sectionName(const QString& trimmed)
{
    return trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
}

bool isComment(const QString& trimmed)
{
    return trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString& value)
{
    const QString v = value.trimmed();
    if (v.size() >= 2 && v.front() == v.back() && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')))
        return v.mid(1, v.size() - 2);
    return v;
}

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

IniText::IniText(const QString& text)
{
    if (text.isEmpty())
        return;
    if (text.contains(QStringLiteral("\r\n")))
        lineBreak_ = QStringLiteral("\r\n");
    QString body = text;
    body.remove(QLatin1Char('\r'));
    finalBreak_ = body.endsWith(QLatin1Char('\n'));
    if (finalBreak_)
        body.chop(1);
    lines_ = body.split(QLatin1Char('\n'));
}

IniText::Range IniText::FindSection(const QString& section) const
{
    Range range;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QString trimmed = lines_[i].trimmed();
        if (range.header < 0) {
            if (isSectionLine(trimmed) && sameName(sectionName(trimmed), section)) {
                range.header = i;
                range.end = i + 1;
            }
            continue;
        }
        if (isSectionLine(trimmed))
            break;
        if (!trimmed.isEmpty())
            range.end = i + 1;
    }
    return range;
}

qsizetype IniText::FindKey(const Range& range, const QString& key) const
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        const QString& line = lines_[i];
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0 || isComment(line.trimmed()))
            continue;
        if (sameName(line.left(eq).trimmed(), key))
            return i;
    }
    return -1;
}

QString IniText::Value(const QString& section, const QString& key, bool* found) const
{
    const Range range = FindSection(section);
    const qsizetype line = range.header < 0 ? -1 : FindKey(range, key);
    if (found)
        *found = line >= 0;
    if (line < 0)
        return {};
    const QString& text = lines_[line];
    return unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1));
}

void IniText::SetValue(const QString& section, const QString& key, const QString& value)
{
    QString flat = value;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));

    const Range range = FindSection(section);
    if (range.header < 0) {
        if (!lines_.isEmpty() && !lines_.back().trimmed().isEmpty())
            lines_.append(QString());
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(key + QLatin1Char('=') + flat);
        return;
    }
    const qsizetype line = FindKey(range, key);
    if (line >= 0) {
        const QString existingKey = lines_[line].left(lines_[line].indexOf(QLatin1Char('='))).trimmed();
        lines_[line] = existingKey + QLatin1Char('=') + flat;
        return;
    }
    lines_.insert(range.end, key + QLatin1Char('=') + flat);
}

QString IniText::Text() const
{
    if (lines_.isEmpty())
        return {};
    QString text = lines_.join(lineBreak_);
    if (finalBreak_)
        text += lineBreak_;
    return text;
}

int ParseIniInteger(const QString& text, int fallback)
{
    const QString t = text.trimmed();
    bool ok = false;
    if (t.size() > 2 && (t.startsWith(QStringLiteral("0x")) || t.startsWith(QStringLiteral("0X")))) {
        const QString digits = t.mid(2);
        for (const QChar c : digits)
            if (!isHexDigit(c))
                return fallback;
        // Hexadecimal spans the full 32 bits, so 0xFFFFFFFF reads as -1.
        const uint value = digits.toUInt(&ok, 16);
        return ok ? static_cast<int>(value) : fallback;
    }
    const int value = t.toInt(&ok, 10);
    return ok ? value : fallback;
}
