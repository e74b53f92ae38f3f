#include "tools/xbtool_command.h"
#include "tools/xbtool_options.h"

#include "xbase/sx.h"

#include <cerrno>
#include <cstdlib>

namespace xbtool {

CommandRegistry& CommandRegistry::instance()
{
    static CommandRegistry registry;
    return registry;
}

void CommandRegistry::add(const std::string& name, Command command)
{
    commands_[name] = std::move(command);
}

const Command* CommandRegistry::find(const std::string& name) const
{
    const auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : &it->second;
}

CommandRegistrar::CommandRegistrar(const std::string& name, const std::string& usage, CommandFn run)
{
    CommandRegistry::instance().add(name, Command{usage, std::move(run)});
}

Options::Options(const Args& args, const std::set<std::string>& known)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0) {
            positional.push_back(a);
            continue;
        }
        const std::string name = a.substr(2);
        if (!known.count(name))
            throw Failure("unknown option " + a);
        if (i + 1 >= args.size())
            throw Failure("option " + a + " needs a value");
        values[name] = args[++i];
    }
}

std::optional<std::string> Options::get(const std::string& name) const
{
    const auto it = values.find(name);
    return it == values.end() ? std::nullopt : std::optional<std::string>(it->second);
}

bool Options::onOff(const std::string& name, bool fallback) const
{
    const auto v = get(name);
    if (!v)
        return fallback;
    if (*v == "on")
        return true;
    if (*v == "off")
        return false;
    throw Failure("--" + name + " takes on or off, not \"" + *v + "\"");
}

long parseCount(const std::string& text, const char* what)
{
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || v < 0)
        throw Failure(std::string("\"") + text + "\" is not a valid " + what);
    return v;
}

void engineFailure(const std::string& what)
{
    throw Failure(what + ": " + sx_LastError());
}

xb::WorkArea& currentArea()
{
    xb::WorkArea* area = xb::Engine::instance().current();
    if (!area)
        throw Failure("no table is open");
    return *area;
}

OpenTable::OpenTable(const std::string& path, int mode)
{
    if (path.size() > 255)
        throw Failure("file name longer than 255 characters");
    area_ = sx_Use(path.c_str(), nullptr, mode, SX_DRIVER_CDX);
    if (!area_)
        engineFailure("cannot open " + path);
}

OpenTable::~OpenTable()
{
    sx_Select(area_);
    sx_Close();
}

} // namespace xbtool
