#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the program directory at a fresh temporary folder for the object's life, so
// tests never touch the user's own files.
class TempProgramDirectory {
public:
    TempProgramDirectory();
    ~TempProgramDirectory();
    TempProgramDirectory(const TempProgramDirectory&) = delete;
    TempProgramDirectory& operator=(const TempProgramDirectory&) = delete;

    // The folder, ending in "/".
    QString Path() const;
    // A file in the folder.
    QString File(const QString& name) const { return Path() + name; }
    // The settings file's text ("" when it does not exist).
    QString SettingsText() const;
    void WriteSettingsText(const QString& text) const;

private:
    QTemporaryDir dir_;
};
