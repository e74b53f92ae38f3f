#pragma once
// Record tags: a record is tagged when its TAG field equals the current tag id.

#include <QString>

class TTable;

// Tags the current record when it is not tagged, untags it (empty TAG) when it is. A
// record already being edited or inserted keeps the change in its buffer, to be saved or
// cancelled with the rest of the edit; any other record is written at once.
void ToggleTag(TTable& table, const QString& tagId);

// The tag id kept in the settings file (Misc/GlobalTagId), read at start. With none
// stored, or an empty one (which would count every untagged record as tagged), a new id
// is made; either way the id is written back, so the first start stores it.
QString LoadTagId();

// Writes the tag id to the settings file; a write failure is shown to the user and
// gives false.
bool SaveTagId(const QString& tagId);
