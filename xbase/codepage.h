#pragma once
// Letter case of Windows-1252, the code page of every table this engine writes.
// Folding covers the accented letters too, so UPPER keys sort accented names with
// their plain neighbours' capitals rather than leaving them lower-case.

#include <cstddef>

namespace xb {

unsigned char upperCp1252(unsigned char c);
unsigned char lowerCp1252(unsigned char c);

// In-place folding of a byte run.
void upperCp1252(char* bytes, std::size_t count);
void lowerCp1252(char* bytes, std::size_t count);

} // namespace xb
