// The template catalogue is read from the program directory, where anything may stand.
// Whatever the bytes, reading keeps the sheets before the first damage: those sheets,
// written again, read back the same, and a cut anywhere keeps no more of them.

#include "labels/labelcatalog.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<LabelTemplate> sheets = ParseCatalog(bytes);
    for (const LabelTemplate& sheet : sheets)
        if (!(sheet.Across * sheet.Down <= kMaxLabelPositions))
            std::abort();
    if (!(ParseCatalog(CatalogBytes(sheets)) == sheets))
        std::abort();
    const std::vector<LabelTemplate> shorter = ParseCatalog(bytes.substr(0, size / 2));
    if (!(shorter.size() <= sheets.size() && std::equal(shorter.begin(), shorter.end(), sheets.begin())))
        std::abort();
    return 0;
}
