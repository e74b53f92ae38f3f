// Label files are outside input: they may be cut, damaged or made by hand. Whatever the
// bytes, reading must not fail, must offer no more label positions than printing selects,
// and a file that reads must write back to bytes that read the same.

#include "labels/labellayout.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto layout = ParseLabelFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!layout)
        return 0;
    if (layout->Across < 0 || layout->Down < 0 || layout->Across * layout->Down > kMaxLabelPositions)
        std::abort();
    // Texts read from Windows-1252 always write back, so this never throws.
    const auto again = ParseLabelFile(LabelFileBytes(*layout));
    if (!(again && *again == *layout))
        std::abort();
    return 0;
}
