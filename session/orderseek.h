#pragma once
// The engine side of ordering and searching the address table, kept apart from the
// main window so it can be tested on a table alone.

#include <QString>

class TApollo;
class TApolloEnv;

// Orders the table by the named index tag; a tag the file lacks gives natural record
// order. Engine errors are ignored: the order simply stays what it was.
void ApplyOrderTag(TApollo& apollo, const QString& tag);

// Makes current the first record whose key in the current order begins with `text`
// (upper-cased as the index keys are). On a miss the table goes back to the record it
// stood on; there is no message. Soft seek is on only for the seek itself and exact
// comparison is left off. Gives true when a record was found.
bool SeekStartingWith(TApollo& apollo, TApolloEnv& env, const QString& text);
