// xbtool: a command-line tool over the xBase engine for people who keep DBF files.
#include "tools/xbtool_command.h"

#include <exception>
#include <iostream>

namespace {

void usage(std::ostream& out)
{
    out << "usage: xbtool COMMAND FILE ...\n\ncommands:\n";
    for (const auto& [name, command] : xbtool::CommandRegistry::instance().all())
        out << "  xbtool " << name << " " << command.usage << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || std::string(argv[1]) == "--help" || std::string(argv[1]) == "help") {
        usage(argc < 2 ? std::cerr : std::cout);
        return argc < 2 ? 2 : 0;
    }
    const xbtool::Command* command = xbtool::CommandRegistry::instance().find(argv[1]);
    if (!command) {
        std::cerr << "xbtool: unknown command \"" << argv[1] << "\"\n";
        usage(std::cerr);
        return 2;
    }
    try {
        return command->run(xbtool::Args(argv + 2, argv + argc));
    } catch (const std::exception& e) {
        std::cerr << "xbtool " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
}
