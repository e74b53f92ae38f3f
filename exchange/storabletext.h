#pragma once
// Imported text on its way into an address file, whose code page (Windows-1252) cannot
// hold every character: each character it lacks becomes "?", so the rest of the value
// still arrives and the user can be told which values changed.

#include <QString>

// The text with "?" for every character the file cannot store (a character outside the
// Basic Multilingual Plane counts once); replaced tells whether any was.
QString StorableText(const QString& text, bool& replaced);
