#pragma once
// The XML files of the system's label library (templates, paper sizes, categories), read
// into sheets our layout prints. Lengths carry a unit (pt, in, mm, cm, pc; points
// without one) and come out in inches.
//
//   const LibraryPapers papers = ParseLibraryPapers(paperSizesXml);
//   LibraryFile file = ParseLibraryTemplates(templatesXml, papers);
//   if (!file.error.isEmpty()) ...           // the whole file is skipped

#include "labels/labellayout.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QSizeF>
#include <QStringList>
#include <optional>
#include <vector>

// One sheet of the library as our layout holds it. The template's name is "BRAND PART".
struct LibrarySheet {
    QString brand;
    QString part;
    QString description;
    QString paper; // the library's paper id: "A4", "US-Letter", "Other", ...
    QStringList categories;
    double markupMargin = 0; // inches the maker keeps clear inside the label's edge
    LabelTemplate sheet;
};

// A template that is another one of the same maker under its own part number.
struct LibraryAlias {
    QString brand;
    QString part;
    QString equivalent;
};

// The paper ids of the library, with their portrait size in inches.
using LibraryPapers = QHash<QString, QSizeF>;

struct LibraryFile {
    std::vector<LibrarySheet> sheets;
    std::vector<LibraryAlias> aliases;
    // "BRAND\nPART" of each template our layout cannot hold (several layouts, CD shapes,
    // more positions than a sheet can select), so that aliases of them are left out too.
    QSet<QString> leftOut;
    // Templates skipped for a fault of their own, one message each.
    QStringList problems;
    // Not empty when the file is not well-formed XML: nothing of it is used.
    QString error;
};

// "12.5mm" as inches; nothing for a text that is not a number with a known unit.
std::optional<double> LibraryLength(QStringView text);

// A4 and US Letter, which a library without its paper file still knows.
LibraryPapers BuiltInLibraryPapers();
// Adds the paper sizes of a paper-sizes file to `papers`; false for a malformed file.
bool ParseLibraryPapers(const QByteArray& xml, LibraryPapers& papers);
// Category id to its caption, from a categories file; empty for a malformed file.
QHash<QString, QString> ParseLibraryCategories(const QByteArray& xml);

LibraryFile ParseLibraryTemplates(const QByteArray& xml, const LibraryPapers& papers);

// The key of leftOut and of alias lookups.
QString LibraryKey(const QString& brand, const QString& part);
