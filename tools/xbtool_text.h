#pragma once
// UTF-8 on the terminal, Windows-1252 in the tables.

#include <string>
#include <string_view>

namespace xbtool {

// Failure (naming the character) when the text holds a character that
// Windows-1252 cannot hold, or is not valid UTF-8.
std::string toCp1252(std::string_view utf8);
std::string fromCp1252(std::string_view bytes);

} // namespace xbtool
