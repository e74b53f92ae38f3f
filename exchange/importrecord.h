#pragma once
// An imported record laid out in the address file's bytes at once: each value in the file's
// code page ("?" for what it cannot hold, as StorableText gives it), cut to its field's width
// and padded with blanks, as TField::SetAsString stores it, without a field event per value.
//
//   ImportRecord record(table);
//   bool replaced = false;
//   if (record.Fill(values, replaced)) table.AppendRecord(record.Bytes());

#include <string>
#include <vector>

class TTable;
struct ImportValue;

class ImportRecord {
public:
    explicit ImportRecord(const TTable& table) : table_(table) {}

    // Lays out a new record holding the values; replaced tells whether any character was
    // stored as "?". False, and nothing laid out, when a value goes to a field that is not
    // stored text: such a record is set field by field.
    bool Fill(const std::vector<ImportValue>& values, bool& replaced);
    const std::string& Bytes() const { return bytes_; }

private:
    const TTable& table_;
    std::string bytes_;
};
