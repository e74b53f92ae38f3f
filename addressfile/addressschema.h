#pragma once
// The address file: its 22 stored fields in file order, the main table's declarations of
// them, and the 26 tags of its structural compound index.

#include <QString>
#include <QStringList>
#include <vector>

class TTable;

struct AddressFieldDef {
    QString name;
    QString type;      // "C" or "L"
    int fixedWidth;    // the width, or 0 when a new-file width setting gives it
};

struct AddressTagDef {
    QString name;
    QString keyExpression;
};

// The stored fields in file order.
const std::vector<AddressFieldDef>& AddressFields();

// The 26 tags in creation order.
const std::vector<AddressTagDef>& AddressTags();

// The tag names in the order an index check asks for them.
const QStringList& AddressTagCheckOrder();

// Declares the stored fields on a table, with the main window's labels, widths, display
// widths and visibility. The table must be closed and have no fields of these names.
void DeclareAddressFields(TTable& table);
