#pragma once
// "ASCII File Import": appends the lines of a delimited text file to the address file as
// new records, after the user matches its columns to fields. The dialog opens its own
// table on the address file, in exclusive use, while the main window has it closed.

#include "exchange/asciicolumns.h"
#include "exchange/importdestination.h"
#include "exchange/importdialog.h"
#include "exchange/importtext.h"

class QCheckBox;
class TAsciiMatch;

class TAsciiImport : public ImportDialog, public ImportDestination {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1023;
    static constexpr ImportKind Kind = ImportKind::Text;

    explicit TAsciiImport(QWidget* parent = nullptr);

    // Shown once a file is scanned; ticked when its first line reads like column names.
    QCheckBox* FirstLineNames;

    // Shows the matching dialog; gives its result. Tests put their own here.
    std::function<int(TAsciiMatch& dialog)> ShowMatch;

    const AsciiScan& Scan() const { return scan_; }

    void SelectButtonClick();
    void MatchButtonClick();
    void ImportButtonClick();

private:
    void ScanFile();
    void FirstLineNamesClick();
    void ClearScan();

    QString file_;
    ImportText text_;
    AsciiScan scan_;
    std::vector<TField*> targets_;
};
