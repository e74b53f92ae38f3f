#pragma once
// "DBF File Import": appends the records of another DBF table to the address file, after
// the user confirms which source field fills which field. The dialog opens its own table
// on the address file, in exclusive use, while the main window has it closed.

#include "exchange/importdestination.h"
#include "exchange/importdialog.h"
#include "exchange/importsourcetable.h"

#include <vector>

class TDBFMatch;

class TDBFImport : public ImportDialog, public ImportDestination, public ImportSourceTable {
    Q_OBJECT
public:
    static constexpr int HelpContext = 1021;
    static constexpr ImportKind Kind = ImportKind::Dbf;

    explicit TDBFImport(QWidget* parent = nullptr);

    // Shows the matching dialog; gives its result. Tests put their own here.
    std::function<int(TDBFMatch& dialog)> ShowMatch;

    // For each source field, the destination field it fills or kUnassigned.
    const std::vector<int>& Assignment() const { return assignment_; }

    void SelectButtonClick();
    void MatchButtonClick();
    void ImportButtonClick();

private:
    void OpenSource();

    QString file_;
    std::vector<int> assignment_;
    bool matched_ = false;
};
