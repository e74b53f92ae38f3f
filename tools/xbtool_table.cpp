// xbtool commands that describe and change tables: info, create, append, set,
// delete, recall, pack.
#include "tools/xbtool_command.h"
#include "tools/xbtool_options.h"
#include "tools/xbtool_text.h"

#include "xbase/field_value.h"
#include "xbase/sx.h"

#include <cstdio>
#include <iostream>

namespace xbtool {
namespace {

const char* versionName(unsigned v)
{
    switch (v) {
    case 0x02:
        return "FoxBASE";
    case 0x03:
        return "dBase III / FoxPro, no memo";
    case 0x30:
    case 0x31:
    case 0x32:
        return "Visual FoxPro";
    case 0x83:
        return "dBase III with memo";
    case 0x8B:
        return "dBase IV with memo";
    case 0xF5:
        return "FoxPro with memo";
    default:
        return "other";
    }
}

int runInfo(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() != 1)
        throw Failure("usage: xbtool info FILE");
    OpenTable table(opt.positional[0], SX_READONLY);
    xb::WorkArea& area = currentArea();
    const xb::DbfHeader& h = area.table().header();
    char line[128];
    std::snprintf(line, sizeof line, "version:        0x%02X (%s)\n", h.version, versionName(h.version));
    std::cout << line;
    std::snprintf(line, sizeof line, "last update:    %04d-%02d-%02d\n", h.year, h.month, h.day);
    std::cout << line;
    std::cout << "records:        " << h.recordCount << "\n"
              << "header length:  " << h.headerLength << "\n"
              << "record length:  " << h.recordLength << "\n";
    std::snprintf(line, sizeof line, "code page:      0x%02X%s\n", h.codePage,
                  h.codePage == 0 ? " (read as Windows-1252)" : "");
    std::cout << line;
    std::cout << "structural index: " << (area.table().hasStructuralIndex() ? "yes" : "no") << "\n";
    std::cout << "fields:         " << h.fields.size() << "\n";
    for (const xb::DbfField& f : h.fields) {
        std::snprintf(line, sizeof line, "  %-10s %c %4d %2d\n", f.name.c_str(), f.type, f.width, f.decimals);
        std::cout << line;
    }
    if (xb::StructuralIndex* index = area.index()) {
        std::cout << "tags:           " << index->orderCount() << "\n";
        for (int i = 1; i <= index->orderCount(); ++i) {
            sx_SetOrder(i);
            std::cout << "  " << fromCp1252(index->orderName(i)) << "\t" << fromCp1252(sx_IndexKeyField()) << "\n";
        }
        sx_SetOrder(0);
    }
    return 0;
}

int runCreate(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() < 2)
        throw Failure("usage: xbtool create FILE NAME:TYPE:WIDTH[:DEC] ...");
    const std::string& path = opt.positional[0];
    if (path.size() > 255)
        throw Failure("file name longer than 255 characters");
    const int fieldCount = static_cast<int>(opt.positional.size() - 1);
    if (!sx_CreateNew(path.c_str(), nullptr, SX_DRIVER_CDX, fieldCount))
        engineFailure("cannot create " + path);
    for (std::size_t i = 1; i < opt.positional.size(); ++i) {
        const std::string& spec = opt.positional[i];
        std::vector<std::string> parts;
        std::size_t start = 0;
        for (std::size_t colon; (colon = spec.find(':', start)) != std::string::npos; start = colon + 1)
            parts.push_back(spec.substr(start, colon - start));
        parts.push_back(spec.substr(start));
        if (parts.size() < 3 || parts.size() > 4 || parts[1].size() != 1)
            throw Failure("field \"" + spec + "\" is not NAME:TYPE:WIDTH[:DEC]");
        const int width = static_cast<int>(parseCount(parts[2], "field width"));
        const int dec = parts.size() == 4 ? static_cast<int>(parseCount(parts[3], "decimal count")) : 0;
        const std::string name = toCp1252(parts[0]);
        if (name.size() > 255)
            throw Failure("field name too long");
        sx_CreateField(name.c_str(), parts[1].c_str(), width, dec);
    }
    const bool ok = sx_CreateExec();
    const std::string error = sx_LastError();
    sx_Close();
    if (!ok)
        throw Failure("cannot create " + path + ": " + error);
    return 0;
}

// Stores a UTF-8 text into a field of the current record.
void replaceField(const std::string& field, const std::string& value)
{
    const std::string name = toCp1252(field);
    const std::string bytes = toCp1252(value);
    if (name.size() > 255 || bytes.size() > 255)
        throw Failure("value for " + field + " is longer than 255 characters");
    if (!sx_Replace(name.c_str(), SX_EVAL_CHAR, bytes.c_str()))
        engineFailure("cannot set " + field);
}

// One input line as record bytes, or a Failure naming the line.
std::string recordFromLine(const std::string& line, long lineNo)
{
    const xb::Table& table = currentArea().table();
    std::vector<std::string> values;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        values.push_back(line.substr(start, tab - start));
    values.push_back(line.substr(start));
    const std::string where = "line " + std::to_string(lineNo) + ": ";
    if (values.size() > table.fields().size())
        throw Failure(where + std::to_string(values.size()) + " values for " + std::to_string(table.fields().size()) +
                      " fields");
    std::string record(static_cast<std::size_t>(table.recordLength()), ' ');
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string error;
        try {
            if (!xb::storeText(table.fields()[i], record.data(), toCp1252(values[i]), error))
                throw Failure(error);
        } catch (const Failure& f) {
            throw Failure(where + f.what());
        }
    }
    return record;
}

// Every line is checked before the first record is added, so bad input leaves
// the table as it was.
int runAppend(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() != 1)
        throw Failure("usage: xbtool append FILE < lines");
    OpenTable table(opt.positional[0], SX_EXCLUSIVE);
    std::vector<std::string> records;
    std::string line;
    for (long lineNo = 1; std::getline(std::cin, line); ++lineNo) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            records.push_back(recordFromLine(line, lineNo));
    }
    xb::WorkArea& area = currentArea();
    for (const std::string& record : records) {
        if (!area.appendBlank())
            throw Failure("cannot append: " + area.lastError());
        std::copy(record.begin(), record.end(), area.editRecord());
    }
    if (!area.commit())
        throw Failure("cannot append: " + area.lastError());
    std::cout << records.size() << "\n";
    return 0;
}

// Moves to an existing record given as text; Failure otherwise.
void goRecord(const std::string& text)
{
    const long recno = parseCount(text, "record number");
    if (recno < 1 || recno > sx_RecCount())
        throw Failure("record " + text + " does not exist (the table has " + std::to_string(sx_RecCount()) +
                      " records)");
    sx_Go(recno);
}

int runSet(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() < 3)
        throw Failure("usage: xbtool set FILE RECNO FIELD=VALUE ...");
    OpenTable table(opt.positional[0], SX_EXCLUSIVE);
    goRecord(opt.positional[1]);
    for (std::size_t i = 2; i < opt.positional.size(); ++i) {
        const std::string& a = opt.positional[i];
        const std::size_t eq = a.find('=');
        if (eq == std::string::npos || eq == 0)
            throw Failure("\"" + a + "\" is not FIELD=VALUE");
        replaceField(a.substr(0, eq), a.substr(eq + 1));
    }
    if (!currentArea().commit())
        throw Failure(currentArea().lastError());
    return 0;
}

int markRecords(const Args& args, bool deleted)
{
    Options opt(args, {});
    if (opt.positional.size() < 2)
        throw Failure(std::string("usage: xbtool ") + (deleted ? "delete" : "recall") + " FILE RECNO ...");
    OpenTable table(opt.positional[0], SX_EXCLUSIVE);
    for (std::size_t i = 1; i < opt.positional.size(); ++i) {
        goRecord(opt.positional[i]);
        if (!currentArea().setDeleteMark(deleted))
            throw Failure("cannot change record " + opt.positional[i] + ": " + currentArea().lastError());
    }
    return 0;
}

int runPack(const Args& args)
{
    Options opt(args, {});
    if (opt.positional.size() != 1)
        throw Failure("usage: xbtool pack FILE");
    OpenTable table(opt.positional[0], SX_EXCLUSIVE);
    const long before = sx_RecCount();
    if (!currentArea().pack(nullptr))
        throw Failure(currentArea().lastError());
    std::cout << before - sx_RecCount() << " records removed, " << sx_RecCount() << " remain\n";
    return 0;
}

const CommandRegistrar info{"info", "FILE", runInfo};
const CommandRegistrar create{"create", "FILE NAME:TYPE:WIDTH[:DEC] ...", runCreate};
const CommandRegistrar append{"append", "FILE < tab-separated lines", runAppend};
const CommandRegistrar set{"set", "FILE RECNO FIELD=VALUE ...", runSet};
const CommandRegistrar del{"delete", "FILE RECNO ...", [](const Args& a) { return markRecords(a, true); }};
const CommandRegistrar recall{"recall", "FILE RECNO ...", [](const Args& a) { return markRecords(a, false); }};
const CommandRegistrar pack{"pack", "FILE", runPack};

} // namespace
} // namespace xbtool
