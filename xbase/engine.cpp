#include "xbase/engine.h"

#include <algorithm>
#include <cctype>

namespace xb {
namespace {

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string baseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

} // namespace

Engine& Engine::instance()
{
    static Engine engine;
    return engine;
}

WorkArea* Engine::area(int number)
{
    return number >= 1 && number <= kMaxAreas ? areas_[static_cast<std::size_t>(number)].get() : nullptr;
}

int Engine::select(int number)
{
    const int previous = current_;
    if (number >= 1 && number <= kMaxAreas)
        current_ = number;
    return previous;
}

int Engine::findAlias(const std::string& alias) const
{
    const std::string wanted = upper(alias);
    for (int i = 1; i <= kMaxAreas; ++i) {
        const auto& a = areas_[static_cast<std::size_t>(i)];
        if (a && upper(a->alias()) == wanted)
            return i;
    }
    return 0;
}

int Engine::freeArea() const
{
    for (int i = 1; i <= kMaxAreas; ++i)
        if (!areas_[static_cast<std::size_t>(i)] && !creating_[static_cast<std::size_t>(i)])
            return i;
    return 0;
}

bool Engine::fail(const std::string& message)
{
    lastError_ = message;
    return false;
}

std::string Engine::aliasFor(const std::string& path, const std::string& alias) const
{
    return upper(alias.empty() ? baseName(path) : alias);
}

bool Engine::attach(int number, std::unique_ptr<Table> table, const std::string& alias)
{
    auto area = std::make_unique<WorkArea>(std::move(table), alias, settings);
    if (area->table().hasStructuralIndex()) {
        std::string error;
        auto index = openStructuralIndex(area->table(), error);
        if (!index)
            return fail(error);
        area->setIndex(std::move(index));
    }
    areas_[static_cast<std::size_t>(number)] = std::move(area);
    current_ = number;
    return true;
}

int Engine::open(const std::string& path, const std::string& alias, OpenMode mode)
{
    const std::string name = aliasFor(path, alias);
    if (findAlias(name))
        return fail("alias " + name + " is already in use"), 0;
    const int number = freeArea();
    if (!number)
        return fail("all work areas are in use"), 0;
    std::string error;
    auto table = Table::open(path, mode, error);
    if (!table)
        return fail(error), 0;
    return attach(number, std::move(table), name) ? number : 0;
}

void Engine::close(int number)
{
    if (number < 1 || number > kMaxAreas)
        return;
    auto& a = areas_[static_cast<std::size_t>(number)];
    if (a && !a->commit())
        fail(a->lastError());
    a.reset();
    creating_[static_cast<std::size_t>(number)].reset();
}

void Engine::closeAll()
{
    for (int i = 1; i <= kMaxAreas; ++i)
        close(i);
    current_ = 1;
}

int Engine::beginCreate(const std::string& path, const std::string& alias, int expectedFields)
{
    const int number = freeArea();
    if (!number)
        return fail("all work areas are in use"), 0;
    if (path.empty())
        return fail("no file name given"), 0;
    auto pending = std::make_unique<PendingCreate>();
    pending->path = path;
    pending->alias = alias;
    pending->expectedFields = expectedFields;
    creating_[static_cast<std::size_t>(number)] = std::move(pending);
    current_ = number;
    return number;
}

void Engine::addField(const DbfField& field)
{
    auto& pending = creating_[static_cast<std::size_t>(std::clamp(current_, 1, kMaxAreas))];
    if (!pending) {
        fail("no table is being created in this work area");
        return;
    }
    pending->fields.push_back(field);
}

bool Engine::finishCreate()
{
    auto& slot = creating_[static_cast<std::size_t>(std::clamp(current_, 1, kMaxAreas))];
    if (!slot)
        return fail("no table is being created in this work area");
    const std::unique_ptr<PendingCreate> pending = std::move(slot);
    if (pending->expectedFields > 0 && static_cast<int>(pending->fields.size()) != pending->expectedFields)
        return fail("expected " + std::to_string(pending->expectedFields) + " fields, got " +
                    std::to_string(pending->fields.size()));
    const std::string name = aliasFor(pending->path, pending->alias);
    if (findAlias(name))
        return fail("alias " + name + " is already in use");
    DbfHeader header;
    header.version = 0x03;
    header.codePage = kCodePageWindows1252;
    header.fields = pending->fields;
    std::string error;
    auto table = Table::create(pending->path, std::move(header), error);
    if (!table)
        return fail(error);
    return attach(current_, std::move(table), name);
}

} // namespace xb
