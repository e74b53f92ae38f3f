#pragma once
// Command-line helpers shared by the xbtool commands.

#include "tools/xbtool_command.h"

#include "xbase/engine.h"

#include <optional>
#include <set>
#include <string>

namespace xbtool {

// Splits "--name value" options from positional arguments. Only the names in
// known are accepted; any other "--" word is a Failure.
struct Options {
    Options(const Args& args, const std::set<std::string>& known);
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::optional<std::string> get(const std::string& name) const;
    bool onOff(const std::string& name, bool fallback) const; // "on"/"off"
};

// A whole number for a record number or count; Failure otherwise.
long parseCount(const std::string& text, const char* what);

// Opens the table into a new work area with the given sx mode (Failure on error)
// and closes it when the guard ends.
class OpenTable {
public:
    OpenTable(const std::string& path, int mode);
    ~OpenTable();
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;

private:
    int area_;
};

// The work area of the table an OpenTable opened last.
xb::WorkArea& currentArea();

// Throws a Failure with the engine's last error after a prefix.
[[noreturn]] void engineFailure(const std::string& what);

} // namespace xbtool
