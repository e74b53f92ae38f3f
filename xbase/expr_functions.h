#pragma once
// The built-in functions of the expression language.

#include "xbase/expr_node.h"

#include <string>
#include <vector>

namespace xb {

// name is upper case. nullptr and a message for an unknown function or arguments
// of the wrong number or type.
NodePtr makeFunction(const std::string& name, std::vector<NodePtr> args, std::string& error);

} // namespace xb
