#pragma once
// Parses expression text into a typed node tree.

#include "xbase/expr_node.h"

#include <string>
#include <string_view>
#include <vector>

namespace xb {

// nullptr with a message that names the problem and its position.
NodePtr parseExpression(std::string_view text, const std::vector<DbfField>& fields, std::string& error);

} // namespace xb
