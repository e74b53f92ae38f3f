#pragma once

#include <QString>

// The folder that holds "ADR.ini", "DATA/", "Labels/", "FIELDS.LST" and "adr.tpl".
// Always ends in "/". Every file the program keeps beside itself is named relative to it.
QString ProgramDirectory();

// Points ProgramDirectory() at a folder (tests use a temporary one); an empty text
// returns to the folder chosen at start-up.
void SetProgramDirectory(const QString& folder);

// The executable's own folder when an "ADR.ini" already stands there (a portable
// install), otherwise the per-user data folder. Both arguments end without a separator.
QString ChooseProgramDirectory(const QString& executableFolder, const QString& userDataFolder);

// The label template catalogue shipped with the program: beside the executable in a build
// or portable folder, else in <prefix>/share/addrina beside <prefix>/bin where it is
// installed. Empty when there is none.
QString ShippedCatalogue(const QString& executableFolder);

// Chooses the program directory for this run, creates it when missing and copies the
// shipped label template catalogue into it when it has none.
// Returns false when the folder cannot be created.
bool PrepareProgramDirectory();

// Appends "/" unless the text already ends in one.
QString WithTrailingSeparator(const QString& folder);
