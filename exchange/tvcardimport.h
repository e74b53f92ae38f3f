#pragma once
// "vCard File Import": appends the contacts of a vCard file (2.1, 3.0 or 4.0) to the
// address file as new records. Choosing the file counts its cards and asks whether to
// import them; a file that cannot be read whole is refused before anything is written.
// The dialog opens its own table on the address file, in exclusive use, while the main
// window has it closed.

#include "exchange/importdestination.h"
#include "exchange/importdialog.h"

#include <QByteArray>

class TVCardImport : public ImportDialog, public ImportDestination {
    Q_OBJECT
public:
    // Its own page: how a card fills the record's fields.
    static constexpr int HelpContext = 1025;
    static constexpr ImportKind Kind = ImportKind::VCard;

    explicit TVCardImport(QWidget* parent = nullptr);

    void SelectButtonClick();
    void ImportButtonClick();

private:
    void Clear();

    QByteArray data_;
    long cards_ = 0;
};
