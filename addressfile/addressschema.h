#pragma once
// The address file's fields and tags as Qt text, read from the one table of them
// (addressfile/addresslayout.h), and the main table's declarations of the fields.

#include <QString>
#include <QStringList>
#include <vector>

class TTable;

struct AddressFieldDef {
    QString name;
    QString type;   // "C" or "L"
    int fixedWidth; // the width, or 0 when a new-file width setting gives it
};

struct AddressTagDef {
    QString name;
    QString keyExpression;
};

// The stored fields in file order.
const std::vector<AddressFieldDef>& AddressFields();

// The 26 tags in creation order.
const std::vector<AddressTagDef>& AddressTags();

// The 26 tag names in creation order, for checking an index.
const QStringList& AddressTagNames();

// Declares the stored fields on a table, with the main window's labels, widths, display
// widths and visibility. The table must be closed and have no fields of these names.
void DeclareAddressFields(TTable& table);
