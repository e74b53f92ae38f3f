// The label library's template files come from the system and from the user's own
// folder, where anything may stand. Whatever the bytes, a file is read or skipped whole,
// and every sheet read is one the layout prints: sizes above nothing, one label at
// least, never more positions than a print selection holds.

#include "labels/libraryxml.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    LibraryPapers papers = BuiltInLibraryPapers();
    ParseLibraryPapers(bytes, papers);
    ParseLibraryCategories(bytes);
    const LibraryFile file = ParseLibraryTemplates(bytes, papers);
    if (!file.error.isEmpty() && !(file.sheets.empty() && file.aliases.empty() && file.leftOut.isEmpty()))
        std::abort();
    for (const LibrarySheet& s : file.sheets) {
        const LabelTemplate& g = s.sheet;
        if (!(g.LabelWidth > 0 && g.LabelHeight > 0 && g.SheetWidth > 0 && g.SheetHeight > 0 && g.Across >= 1 &&
              g.Down >= 1 && g.Across * g.Down <= kMaxLabelPositions && g.HorzPitch >= 0 && g.VertPitch >= 0))
            std::abort();
    }
    return 0;
}
