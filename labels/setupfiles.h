#pragma once
// Saved label setups: one "<Description>.lbl" per setup in the Labels folder, and the
// small rules of the screens that list and design them.

#include <QStringList>

// The file a setup is saved to: its description without leading or trailing blanks.
QString SetupFilePath(const QString& labelsDirectory, const QString& description);
// "Label #n" for the first n from 1 to 9999 with no such file; "Label #1" when all exist.
QString NewSetupDescription(const QString& labelsDirectory);
// The setup files of the folder, by name.
QStringList SetupFiles(const QString& labelsDirectory);

// The text margin lists offer "None", "0.1 inch" ... "0.5 inch": a margin shows as the
// entry at or below it.
const QStringList& MarginChoices();
int MarginChoiceIndex(double inches);
double MarginOfChoice(int index);
