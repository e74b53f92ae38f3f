#pragma once
// Windows-1252, the code page of every table this engine writes: its characters,
// and their letter case. Folding covers the accented letters too, so UPPER keys
// sort accented names with their plain neighbours' capitals rather than leaving
// them lower-case.

#include <cstddef>

namespace xb {

// The character (Unicode code point) of a byte. The five bytes the code page leaves
// unassigned give the C1 control of the same value, so that any byte reads and
// writes back unchanged.
char32_t charOfCp1252(unsigned char byte);
// The byte of a character, or -1 when the code page has none.
int cp1252ByteOf(char32_t c);

unsigned char upperCp1252(unsigned char c);
unsigned char lowerCp1252(unsigned char c);

// In-place folding of a byte run.
void upperCp1252(char* bytes, std::size_t count);
void lowerCp1252(char* bytes, std::size_t count);

} // namespace xb
