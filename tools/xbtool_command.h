#pragma once
// xbtool's command registry. Each command lives in its own file and registers
// itself with a static CommandRegistrar, so new commands need no edit elsewhere:
//
//   static const xbtool::CommandRegistrar reg{"count", "FILE [--filter EXPR]", runCount};
//
// A command gets its arguments (after the command name, still UTF-8), writes its
// result to standard output and returns the exit code. Failures throw
// xbtool::Failure, which the dispatcher prints to standard error.

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace xbtool {

using Args = std::vector<std::string>;
using CommandFn = std::function<int(const Args& args)>;

struct Command {
    std::string usage;
    CommandFn run;
};

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class CommandRegistry {
public:
    static CommandRegistry& instance();
    void add(const std::string& name, Command command);
    const Command* find(const std::string& name) const;
    const std::map<std::string, Command>& all() const { return commands_; }

private:
    std::map<std::string, Command> commands_;
};

struct CommandRegistrar {
    CommandRegistrar(const std::string& name, const std::string& usage, CommandFn run);
};

} // namespace xbtool
