#pragma once
// The target of a copy: what the save dialog offers for each kind, and the checks a chosen
// name must pass. The checks tell the user why a name is refused (through the message
// service), and ask before an existing file is overwritten.

#include "exchange/exportcopy.h"

#include <QString>

struct CopyOutFileType {
    QString extension; // without the dot, upper case: "DBF"
    QString filter;    // for the save dialog: "DBF files (*.DBF)"
};

CopyOutFileType CopyOutFileTypeOf(CopyOutKind kind);

// What Save As proposes: the address file's own name with the kind's extension ("ADD0001.csv"),
// in the folder last used for that kind, else in the user's documents folder.
QString ProposedCopyOutPath(CopyOutKind kind, const QString& openFilePath);
// Keeps the target's folder as the one to propose next time for that kind (in ADR.ini).
void RememberCopyOutFolder(CopyOutKind kind, const QString& target);

// The accepted path, or empty when the name is refused or the user keeps an existing file:
// a DBF target needs the ".DBF" extension; no target may be the open address file or its
// index; an existing file is overwritten only when the user says so.
QString AcceptCopyOutTarget(CopyOutKind kind, const QString& chosen, const QString& openFilePath);
