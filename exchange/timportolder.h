#pragma once
// "Import <product> DBF": appends every record of another address file (of this program
// or an earlier version with the same fields) to the open one, field by field, with no
// matching step. It writes into the main window's own table, which stays open.

#include "exchange/importdialog.h"
#include "exchange/importsourcetable.h"

class TImportOlder : public ImportDialog, public ImportSourceTable {
    Q_OBJECT
public:
    static constexpr int HelpContext = 40012;

    // book and bookApollo: the main window's open address table and its companion.
    TImportOlder(TTable& book, TApollo& bookApollo, QWidget* parent = nullptr);

    void SelectButtonClick();
    void ImportButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CheckSource();
    // Forgets the chosen file: nothing shown, nothing to import.
    void DropSource();

    TTable& book_;
    TApollo& bookApollo_;
    QString file_;
};
