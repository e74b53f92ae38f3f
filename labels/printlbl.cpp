#include "labels/printlbl.h"

#include "table/ttable.h"

#include <algorithm>

LabelTally PrintLabels(LabelFace& face, TTable& table, const LabelTemplate& sheet, const LabelRunOptions& options,
                       const LabelCanvas& canvas)
{
    LabelSlots order(sheet, options.selection, options.onePageOnly, options.skipFirst);
    const int copies = std::max(1, options.copies);
    LabelTally tally;
    int done = 0;
    int page = 0;
    FaceLayout layout; // the current record's face, laid out once for all its copies
    while (!table.Eof() && !(canvas.Stopped && canvas.Stopped())) {
        const auto slot = order.Next();
        if (!slot)
            break;
        if (slot->sheet != page) {
            page = slot->sheet;
            if (canvas.StartNewPage)
                canvas.StartNewPage();
        }
        if (done == 0) {
            face.BuildLines();
            layout = face.Layout();
        }
        canvas.DrawFace(LabelCell(sheet, slot->row, slot->col), layout);
        tally.Add(table.CurrentRecNo(), layout.count);
        if (!layout.barcodeRefusal.isEmpty())
            tally.RefuseBarcode(table.CurrentRecNo(), layout.barcodeRefusal);
        if (++done == copies) {
            done = 0;
            table.Next();
            if (canvas.RecordDone)
                canvas.RecordDone();
        }
    }
    return tally;
}
