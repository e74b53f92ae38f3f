#pragma once
// The fields a copy of the records carries out, in the order the text kinds write them:
// every stored field of an address record except ISDEL and TAG.

#include <QString>
#include <QStringList>
#include <array>

class TField;
class TTable;

inline constexpr int ExportFieldCount = 20;

// Field names in the order of a line of the comma-delimited text file (comments before codes).
const std::array<const char*, ExportFieldCount>& ExportFieldNames();

// The position of each field in that order, by role, for writers that pick fields out.
enum ExportField {
    ExPrefix,
    ExFirst,
    ExMiddle,
    ExLast,
    ExTitle,
    ExOrg,
    ExStreet,
    ExStreet2,
    ExCity,
    ExState,
    ExZip,
    ExCountry,
    ExPhone,
    ExPhone2,
    ExEmail,
    ExWebPage,
    ExFax,
    ExDate,
    ExComments,
    ExCodes
};

// One record's exported values, in ExportFieldNames order.
using ExportValues = std::array<QString, ExportFieldCount>;

// The table's fields in ExportFieldNames order, found once so a long copy does not look
// them up by name for every record. Throws TableError when the table lacks one.
class ExportFieldSet {
public:
    explicit ExportFieldSet(const TTable& table);

    void Read(ExportValues& values) const;
    TField& operator[](int index) const { return *fields_[static_cast<std::size_t>(index)]; }
    // Column names for a header line: the fields' labels as the main window shows them.
    QStringList Labels() const;

private:
    std::array<TField*, ExportFieldCount> fields_{};
};
