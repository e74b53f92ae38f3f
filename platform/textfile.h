#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The program's own text files ("ADR.ini", filter files, "FIELDS.LST") are written in
// UTF-8. Files from older installations are Windows-1252, so bytes that are not valid
// UTF-8 are read as Windows-1252 instead.
QString DecodeTextFile(const QByteArray& bytes);

// Windows-1252 bytes to text and back. Characters the code page cannot hold are reported
// through *ok (false) and written as '?'.
QString FromWindows1252(QByteArrayView bytes);
// The same into a string whose room is kept between calls.
void FromWindows1252Into(QByteArrayView bytes, QString& into);
QByteArray ToWindows1252(const QString& text, bool* ok = nullptr);

// Reads a whole text file; *exists tells a missing file from an empty one.
QString ReadTextFile(const QString& path, bool* exists = nullptr);

// Replaces a file with the text in UTF-8, all or nothing: a failure leaves the old file
// as it was. Returns false when the file cannot be written.
bool WriteTextFile(const QString& path, const QString& text);
