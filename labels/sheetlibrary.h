#pragma once
// The system's label library: the template files of its folders read into sheets our
// layout prints, once per process at first use. Sheets it cannot hold are counted, files
// that cannot be read are named in `problems` (and logged when read).
//
//   const SheetLibrary& library = SystemSheetLibrary();   // read now, or kept from before
//   for (const LibrarySheet& s : library.sheets) ...      // by maker, then part

#include "labels/libraryxml.h"

struct SheetLibrary {
    std::vector<LibrarySheet> sheets;
    int leftOut = 0;
    QStringList problems;
    QHash<QString, QString> categoryNames; // id to caption
};

// The folders read: those of ADDRINA_LABEL_LIBRARY (separated by ":") when it is not empty,
// else the system's templates and the user's own.
QStringList SheetLibraryFolders();
// Replaces the folders the process reads and forgets what it read before.
void UseSheetLibraryFolders(const QStringList& folders);

// Reads every "*.xml" and "*.template" file of the folders (later folders add to and
// override earlier ones), with the paper sizes and categories of the first folder that
// has them.
SheetLibrary ReadSheetLibrary(const QStringList& folders);
const SheetLibrary& SystemSheetLibrary();

// The sheet named "MAKER PART" (letters a to z in either case), or nothing.
const LibrarySheet* FindLibrarySheet(const SheetLibrary& library, const QString& name);

// "N sheets of the label library left out: ..."
QString SheetLibraryLeftOut(const SheetLibrary& library);
// The picker's status line: how many sheets are offered, left out and skipped.
QString SheetLibraryStatus(const SheetLibrary& library);
