#pragma once
// Upper-casing of typed search and filter text. It folds exactly the letters that the
// engine's UPPER folds in stored Windows-1252 text, so a typed "müller" meets a stored
// "Müller" under UPPER(LNAME).

#include <QString>

QString upperCaseLikeEngine(const QString& text);
