#include "labels/printlbl.h"

#include "labels/gzintpanel.h"
#include "table/ttable.h"

#include <algorithm>

LabelTally PrintLabels(TZintLabelPanel& face, TTable& table, const LabelTemplate& sheet, const LabelRunOptions& options,
                       const LabelCanvas& canvas)
{
    LabelSlots order(sheet, options.selection, options.onePageOnly, options.skipFirst);
    const int copies = std::max(1, options.copies);
    LabelTally tally;
    int done = 0;
    int page = 0;
    QPicture picture; // the current record's face, drawn once for all its copies
    FaceLines lines;
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
            picture = face.RenderToPicture();
            lines = face.LastDrawing();
        }
        canvas.DrawFace(LabelCell(sheet, slot->row, slot->col), picture);
        tally.Add(table.CurrentRecNo(), lines);
        if (++done == copies) {
            done = 0;
            table.Next();
            if (canvas.RecordDone)
                canvas.RecordDone();
        }
    }
    return tally;
}
