#pragma once
// Every sheet the template picker and the command line offer, the catalogue's and the
// label library's alike, with what the search and the categories look at.

#include "labels/sheetlibrary.h"

struct SheetOffer {
    QString maker;
    QString name; // the catalogue's name, or the library's part number
    QString paper;
    QString description;
    QStringList categories; // the library's category ids
    LabelTemplate sheet;
    bool fromLibrary = false;

    // True when every word of the search is in the maker, name, paper or description
    // (in either case), and the category is empty or one of the sheet's.
    bool Matches(const QString& search, const QString& category) const;
    // Maker, name, paper, "across x down" and description, separated by tabs.
    QString Line() const;
};

// The catalogue's sheets in catalogue order, then the library's by maker and part.
std::vector<SheetOffer> SheetOffers(const std::vector<LabelTemplate>& catalog, const SheetLibrary& library);

// A sheet by the catalogue's name (letters a to z in either case), else by the
// library's "MAKER PART"; nothing when neither has it.
std::optional<LabelTemplate> FindOfferedSheet(const QString& catalogPath, const QString& name);

// The categories a catalogue sheet falls in, from its shape and description.
QStringList CatalogSheetCategories(const LabelTemplate& sheet);

// The categories some offer falls in, as (caption, id) sorted by caption: the library's
// captions, or our own for the catalogue's categories when there is no library.
std::vector<std::pair<QString, QString>> OfferedCategories(const std::vector<SheetOffer>& offers,
                                                           const SheetLibrary& library);
