#pragma once
// Record tags: a record is tagged when its TAG field equals the current tag id.

#include <QString>

class TTable;

// Tags the current record when it is not tagged, untags it (empty TAG) when it is. A
// record already being edited or inserted keeps the change in its buffer, to be saved or
// cancelled with the rest of the edit; any other record is written at once.
void ToggleTag(TTable& table, const QString& tagId);
