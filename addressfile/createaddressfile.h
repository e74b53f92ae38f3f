#pragma once
// Making address files and their index. The companion must serve the given table
// (through its data source). Both tell the user what failed.

#include <QString>

class TApollo;
class TTable;

// Creates the file with the 22 fields (chosen widths from CurrentNewFileWidths()) and its
// 26 tags. Leaves the table closed; true on success.
bool CreateAddressFile(const QString& path, TTable& table, TApollo& apollo);

// Replaces the structural index of the file open in the table by the 26 tags; tags not
// among them are lost. Leaves the last tag, NOTISDEL, as the order. True on success.
bool CreateIndexTags(TTable& table, TApollo& apollo);
// Closes the table's structural index and deletes its file; false (and why, when asked)
// when the file stays.
bool RemoveIndexFile(TApollo& apollo, QString* why = nullptr);
// CreateIndexTags without a word to the user: false and, when asked, why (the engine's reason).
bool BuildIndexTags(TTable& table, TApollo& apollo, QString* why = nullptr);
