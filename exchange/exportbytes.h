#pragma once
// Text appended to an output buffer as bytes without a temporary string for each value:
// copies of many records spend most of their time here, and most text is plain ASCII.

#include <QByteArray>
#include <QStringView>

void AppendUtf8(QStringView text, QByteArray& out);
// Windows-1252, the address file's code page; a character it cannot hold becomes '?'.
void AppendWindows1252(QStringView text, QByteArray& out);
