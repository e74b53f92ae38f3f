#pragma once
// One label setup in memory, with its file on disk ("<Description>.lbl" in the Labels
// folder) and its geometry taken from the template catalogue.
//
//   TZintLabelFile setup;                                    // the defaults of a new setup
//   setup.LoadTemplate(CatalogPath(), QString(), true);      // first catalogue sheet
//   setup.Description = "Christmas cards";
//   setup.SaveToFile(LabelsDirectory() + "Christmas cards.lbl");

#include "labels/labelface.h"
#include "labels/labellayout.h"

class TZintLabelFile : public LabelLayout {
public:
    // The defaults of a new setup.
    TZintLabelFile() = default;

    // Reads a label file; on any failure returns false and leaves every field as it was.
    // The setup takes its name from the file: the file name cut before its first period.
    bool LoadFromFile(const QString& path);
    // Creates or replaces the file. Throws LabelFileError when a text holds a character
    // label files cannot store, or the file cannot be written; the old file then stays.
    void SaveToFile(const QString& path) const;
    // Takes the geometry of a catalogue sheet: the first one, or the first whose name
    // matches (letters a to z in either case). The description and face stay. False, with
    // nothing changed, when no sheet matches or the catalogue cannot be read.
    bool LoadTemplate(const QString& catalogPath, const QString& name, bool takeFirst);

    void Assign(const LabelLayout& other) { static_cast<LabelLayout&>(*this) = other; }
    // The face part (size, shape, font, address parts, margins, fit, barcode) as a label face
    // has it, with the Intelligent Mail settings of ADR.ini when the barcode needs them,
    // and back; the size and shape stay with the sheet.
    FaceStyle Face() const;
    void TakeFace(const FaceStyle& face);

    // Seven lines "Template........5160", "# Across........3", ... joined by a carriage
    // return alone.
    QString Describe() const;
};

// A file's name without its folder, cut before its first period: "Office.old.lbl" is
// "Office".
QString NameFromPath(const QString& path);
