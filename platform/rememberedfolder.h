#pragma once
// Where a save dialog starts: the folder that kind of file was last saved in, kept in
// "ADR.ini" under [Folders], else the user's documents folder, else the home folder (the
// program's own folder is hidden and no place for the user's files).

#include <QString>

QString RememberedFolder(const QString& key);
// Notes the folder of a file just saved under the key, for the next proposal.
void RememberFolder(const QString& key, const QString& savedFile);
