#include "app/buttonrules.h"

ButtonRules ComputeButtonRules(const WindowFacts& f)
{
    const bool idle = f.open && !f.editing;
    const bool onRecord = idle && f.hasRecord;
    ButtonRules r{};
    r.fileItems = f.open;
    r.addEnabled = idle;
    r.addVisible = !f.editing;
    r.editDeleteEnabled = onRecord;
    r.editDeleteVisible = !f.editing;
    r.recordCommands = onRecord;
    r.navigationVisible = onRecord;
    r.saveCancel = f.editing;
    r.exitVisible = !f.editing;
    r.fileMenu = !f.editing;
    r.filterEnabled = f.filterSet || onRecord;
    r.clearFilterEnabled = f.filterSet && !f.editing;
    r.clearFilterVisible = f.filterSet;
    r.filterItems = f.filterSet;
    return r;
}
