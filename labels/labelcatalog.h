#pragma once
// The read-only catalogue of label sheets ("adr.tpl" in the program directory) and the
// folder of saved label setups.
//
// The catalogue is a value stream: begin of list, one integer, then 18 values per
// template, then end of list. Readers take templates until a value does not fit and keep
// the ones before it, so a damaged or cut catalogue still offers its first templates.

#include "labels/labellayout.h"

#include <QLocale>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

// "adr.tpl" in the program directory.
QString CatalogPath();
// "Labels/" in the program directory, ending in "/".
QString LabelsDirectory();

// The seven top-level nodes of the catalogue tree, in order.
const QStringList& CatalogCategories();
// Index into CatalogCategories() of the first category the sheet matches, -1 for none.
int CatalogCategory(const LabelTemplate& sheet);

std::vector<LabelTemplate> ParseCatalog(std::string_view bytes);
// An unreadable or missing catalogue has no templates.
std::vector<LabelTemplate> ReadCatalog(const QString& path);
// The catalogue the program ships, built from its table of sheets.
std::string CatalogBytes(const std::vector<LabelTemplate>& sheets);

// Template names match when they are equal with the letters a to z compared without
// regard to case.
bool SameTemplateName(const QString& a, const QString& b);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const QString& path);

// The sheet a new setup starts from: Avery 5160 where Letter paper is usual (the
// Americas from Mexico and the Philippines to Chile), L7160 (A4, 3 x 7) elsewhere. A
// locale that names no country asks the system's paper setting.
QString DefaultTemplateName(const QLocale& locale);
