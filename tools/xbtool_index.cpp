// xbtool commands for the structural index: index, reindex, check, seek, keys.
#include "tools/xbtool_command.h"
#include "tools/xbtool_options.h"
#include "tools/xbtool_text.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/cdx/cursor.h"
#include "xbase/sx.h"

#include <bit>
#include <cstring>
#include <iostream>

namespace xbtool {
namespace {

xb::cdx::CdxIndex& tableIndex()
{
    auto* index = dynamic_cast<xb::cdx::CdxIndex*>(currentArea().index());
    if (!index)
        throw Failure("the table has no structural index");
    if (!index->usable())
        throw Failure(index->problem());
    return *index;
}

int tagNumber(xb::cdx::CdxIndex& index, const std::string& name)
{
    const int n = index.find(toCp1252(name));
    if (!n)
        throw Failure("no tag " + name + " in the table's index");
    return n;
}

int runIndex(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() < 2)
        throw Failure("usage: xbtool index FILE TAG=EXPR ...");
    OpenTable table(opt.positional[0], SX_EXCLUSIVE);
    for (size_t i = 1; i < opt.positional.size(); ++i) {
        const std::string& def = opt.positional[i];
        const size_t eq = def.find('=');
        if (eq == std::string::npos || eq == 0)
            throw Failure("expected TAG=EXPR, not " + def);
        const std::string tag = toCp1252(def.substr(0, eq));
        const std::string expr = toCp1252(def.substr(eq + 1));
        if (tag.size() > 255 || expr.size() > 255)
            throw Failure("tag or expression longer than 255 characters");
        const int order = sx_IndexTag("", tag.c_str(), expr.c_str(), 0, false, "");
        if (!order)
            engineFailure("cannot build tag " + def.substr(0, eq));
        std::cout << fromCp1252(sx_TagName(order)) << " " << order << "\n";
    }
    return 0;
}

int runReindex(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() != 1)
        throw Failure("usage: xbtool reindex FILE");
    OpenTable table(opt.positional[0], SX_EXCLUSIVE);
    tableIndex();
    if (!sx_Reindex())
        engineFailure("cannot rebuild the tags");
    return 0;
}

int runCheck(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() != 1)
        throw Failure("usage: xbtool check FILE");
    OpenTable table(opt.positional[0], SX_READONLY);
    if (!currentArea().table().hasStructuralIndex()) {
        std::cout << "no structural index\n";
        return 0;
    }
    auto* index = dynamic_cast<xb::cdx::CdxIndex*>(currentArea().index());
    if (!index)
        throw Failure("the structural index did not open");
    const auto report = index->check();
    for (const std::string& p : report.problems)
        std::cout << fromCp1252(p) << "\n";
    if (!report.problems.empty())
        return 1;
    for (const std::string& n : report.notes)
        std::cout << "note: " << fromCp1252(n) << "\n";
    if (report.foreignCase)
        std::cout << "to write them anew: xbtool reindex " << opt.positional[0] << "\n";
    std::cout << "ok: " << index->orderCount() << " tags, " << currentArea().table().recordCount() << " records\n";
    return 0;
}

int runSeek(const Args& args)
{
    Options opt(args, {"tag", "exact", "soft", "deleted"});
    const auto tag = opt.get("tag");
    if (opt.positional.size() != 2 || !tag)
        throw Failure("usage: xbtool seek FILE --tag T [--exact on|off] [--soft on|off] [--deleted on|off] KEY");
    OpenTable table(opt.positional[0], SX_READONLY);
    sx_SetOrder(tagNumber(tableIndex(), *tag));
    sx_SetExact(opt.onOff("exact", false));
    sx_SetSoftSeek(opt.onOff("soft", false));
    sx_SetDeleted(opt.onOff("deleted", true));
    const std::string key = toCp1252(opt.positional[1]);
    if (key.size() > 255)
        throw Failure("key longer than 255 characters");
    const bool found = sx_Seek(key.c_str());
    std::cout << (found ? "found" : "not found");
    if (sx_Eof()) {
        std::cout << " eof\n";
        return 0;
    }
    std::cout << " " << sx_RecNo();
    for (int i = 0; i < 4; ++i) {
        sx_Skip(1);
        if (sx_Eof())
            break;
        std::cout << " " << sx_RecNo();
    }
    std::cout << "\n";
    return 0;
}

// A key as the fixtures print them: characters as they are, logicals .T./.F.,
// numbers and dates as their value.
std::string showKey(const xb::cdx::KeyMaker& keys, const uint8_t* key)
{
    switch (keys.type()) {
    case xb::ValueType::Character:
        return fromCp1252(std::string(reinterpret_cast<const char*>(key), size_t(keys.keyLen())));
    case xb::ValueType::Logical:
        return key[0] == 'T' ? ".T." : ".F.";
    default: {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | key[i];
        bits = (bits >> 63) ? bits & ~(uint64_t(1) << 63) : ~bits;
        return std::to_string(std::bit_cast<double>(bits));
    }
    }
}

int runKeys(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() != 2)
        throw Failure("usage: xbtool keys FILE TAG");
    OpenTable table(opt.positional[0], SX_READONLY);
    xb::cdx::CdxIndex& index = tableIndex();
    const int n = tagNumber(index, opt.positional[1]);
    xb::cdx::Cursor c(index.tag(n));
    try {
        for (bool ok = c.first(); ok; ok = c.next())
            std::cout << c.recno() << "\t" << showKey(index.keyMaker(n), c.key()) << "|\n";
    } catch (const xb::cdx::DamagedIndex& e) {
        throw Failure(std::string("damaged index: ") + e.what());
    }
    return 0;
}

const CommandRegistrar index{"index", "FILE TAG=EXPR ...", runIndex};
const CommandRegistrar reindex{"reindex", "FILE", runReindex};
const CommandRegistrar check{"check", "FILE", runCheck};
const CommandRegistrar seek{"seek", "FILE --tag T [--exact on|off] [--soft on|off] [--deleted on|off] KEY", runSeek};
const CommandRegistrar keys{"keys", "FILE TAG", runKeys};

} // namespace
} // namespace xbtool
