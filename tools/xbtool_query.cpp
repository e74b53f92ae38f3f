// xbtool commands that read records: list, count, eval.
#include "tools/xbtool_command.h"
#include "tools/xbtool_options.h"
#include "tools/xbtool_text.h"

#include "xbase/field_value.h"
#include "xbase/sx.h"

#include <iostream>

namespace xbtool {
namespace {

// Applies --deleted, --exact and --filter to the open table.
void applySelection(const Options& opt)
{
    sx_SetDeleted(opt.onOff("deleted", true));
    sx_SetExact(opt.onOff("exact", false));
    if (const auto filter = opt.get("filter")) {
        const std::string bytes = toCp1252(*filter);
        if (bytes.size() > 255)
            throw Failure("filter longer than 255 characters");
        if (sx_Query(bytes.c_str()) < 0)
            engineFailure("bad filter");
    }
}

// The order named by --tag, through the table's structural index.
void applyTag(const Options& opt)
{
    const auto tag = opt.get("tag");
    if (!tag)
        return;
    xb::WorkArea& area = currentArea();
    xb::StructuralIndex* index = area.index();
    if (!index)
        throw Failure("the table has no index tags, so --tag " + *tag + " cannot be used");
    const std::string wanted = toCp1252(*tag);
    for (int i = 1; i <= index->orderCount(); ++i) {
        const std::string name = index->orderName(i);
        if (name.size() == wanted.size() && std::equal(name.begin(), name.end(), wanted.begin(), [](char a, char b) {
                return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
            })) {
            if (!area.setOrder(i))
                throw Failure(area.lastError());
            return;
        }
    }
    throw Failure("no tag " + *tag + " in the table's index");
}

std::vector<const xb::DbfField*> chosenFields(const Options& opt)
{
    const auto& all = currentArea().table().fields();
    std::vector<const xb::DbfField*> out;
    const auto names = opt.get("fields");
    if (!names) {
        for (const xb::DbfField& f : all)
            out.push_back(&f);
        return out;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = names->find(',', start);
        const std::string name =
            toCp1252(names->substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        const int i = currentArea().table().fieldIndex(name);
        if (i < 0)
            throw Failure("no field " + fromCp1252(name) + " in the table");
        out.push_back(&all[static_cast<std::size_t>(i)]);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return out;
}

int runList(const Args& args)
{
    Options opt(args, {"filter", "deleted", "exact", "fields", "tag"});
    if (opt.positional.size() != 1)
        throw Failure("usage: xbtool list FILE [--filter EXPR] [--deleted on|off] [--exact on|off] [--fields "
                      "F1,F2,...] [--tag T]");
    OpenTable table(opt.positional[0], SX_READONLY);
    const auto fields = chosenFields(opt);
    applyTag(opt);
    applySelection(opt);
    xb::WorkArea& area = currentArea();
    std::string line;
    for (area.goTop(); !area.eof(); area.skip(1)) {
        line = std::to_string(area.recno());
        for (const xb::DbfField* f : fields) {
            line += '\t';
            line += fromCp1252(xb::fieldText(*f, area.record()));
        }
        line += '\n';
        std::cout << line;
    }
    if (!area.lastError().empty())
        throw Failure(area.lastError());
    return 0;
}

int runCount(const Args& args)
{
    Options opt(args, {"filter", "deleted", "exact"});
    if (opt.positional.size() != 1)
        throw Failure("usage: xbtool count FILE [--filter EXPR] [--deleted on|off] [--exact on|off]");
    OpenTable table(opt.positional[0], SX_READONLY);
    applySelection(opt);
    std::cout << sx_QueryRecCount() << "\n";
    return 0;
}

int runEval(const Args& args)
{
    Options opt(args, {"exact"});
    if (opt.positional.size() != 3)
        throw Failure("usage: xbtool eval FILE RECNO EXPR");
    OpenTable table(opt.positional[0], SX_READONLY);
    sx_SetExact(opt.onOff("exact", false));
    const long recno = parseCount(opt.positional[1], "record number");
    if (recno < 1 || recno > sx_RecCount())
        throw Failure("record " + opt.positional[1] + " does not exist");
    sx_Go(recno);
    const std::string expr = toCp1252(opt.positional[2]);
    if (expr.size() > 255)
        throw Failure("expression longer than 255 characters");
    std::string error;
    auto e = xb::Expression::compile(expr, currentArea().table().fields(), error);
    if (!e)
        throw Failure(error);
    std::cout << fromCp1252(e->display(currentArea().context())) << "\n";
    return 0;
}

const CommandRegistrar list{
    "list", "FILE [--filter EXPR] [--deleted on|off] [--exact on|off] [--fields F1,F2,...] [--tag T]", runList};
const CommandRegistrar count{"count", "FILE [--filter EXPR] [--deleted on|off] [--exact on|off]", runCount};
const CommandRegistrar eval{"eval", "FILE RECNO EXPR", runEval};

} // namespace
} // namespace xbtool
