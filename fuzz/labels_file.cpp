// Label files are outside input: they may be cut, damaged or made by hand. Whatever the
// bytes, reading must not fail, must offer no more label positions than printing selects,
// and a file that reads must write back to bytes that read the same.

#include "labels/labellayout.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto layout = ParseLabelFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!layout)
        return 0;
    check(layout->Across >= 0 && layout->Down >= 0);
    check(layout->Across * layout->Down <= kMaxLabelPositions);
    // Texts read from Windows-1252 always write back, so this never throws.
    const auto again = ParseLabelFile(LabelFileBytes(*layout));
    check(again && *again == *layout);
    return 0;
}
