#pragma once
// Windows-1252, the code page of the text in address files. Text crosses between the
// file's bytes and QString only through these functions.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Every byte maps to a character; the five bytes the code page leaves unassigned map to
// the C1 control of the same value, so that any file reads and writes back unchanged.
QString Cp1252ToString(std::string_view bytes);
// The same into a string whose room is kept between calls.
void Cp1252Into(std::string_view bytes, QString& into);

// Converts text to Windows-1252, or gives nothing when a character has no byte there.
std::optional<std::string> StringToCp1252(const QString& text);

// True when Windows-1252 holds the character; edits use it to refuse a keystroke.
bool Cp1252CanHold(QChar c);
// The length of the text's leading run that Windows-1252 holds.
qsizetype Cp1252HeldPrefix(QStringView text);
