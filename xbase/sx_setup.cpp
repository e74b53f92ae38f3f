// The sx_* calls for set-up, work areas, files and switches.
#include "xbase/sx.h"

#include "xbase/sx_facade.h"

#include <cctype>
#include <utility>

using xb::Engine;

namespace {

xb::EngineSettings& settings()
{
    return Engine::instance().settings;
}

xb::OpenMode openMode(int mode)
{
    switch (mode) {
    case SX_READONLY:
        return xb::OpenMode::ReadOnly;
    case SX_EXCLUSIVE:
        return xb::OpenMode::Exclusive;
    default:
        return xb::OpenMode::Shared;
    }
}

} // namespace

// Texts are always zero-terminated bytes, and the engine never shows a message of
// its own (failures go to sx_LastError): there is nothing for these to switch.
void sx_SetStringType(int) {}
int sx_ErrorLevel(int)
{
    return 0;
}
std::string sx_Version()
{
    return "Addrina xBase engine 1.0";
}

long sx_SysProp(int code, long value)
{
    // The one property the program sets at start; it changes nothing here, and its
    // value is kept so that it reads back. Others are not kept.
    constexpr int kSetAtStart = 1009;
    static long setAtStart = 0;
    return code == kSetAtStart ? std::exchange(setAtStart, value) : 0;
}

void sx_CloseAll()
{
    Engine::instance().closeAll();
}
std::string sx_LastError()
{
    return Engine::instance().lastError();
}

int sx_Select(int area)
{
    return Engine::instance().select(area);
}

int sx_WorkArea(const char* alias)
{
    return alias && xb::checkText(alias, "alias") ? Engine::instance().findAlias(alias) : 0;
}

int sx_Use(const char* path, const char* alias, int mode, int /*driver*/)
{
    if (!xb::checkText(path, "file name") || (alias && !xb::checkText(alias, "alias")))
        return 0;
    return Engine::instance().open(path, alias ? alias : "", openMode(mode));
}

void sx_Close()
{
    Engine::instance().close(Engine::instance().currentNumber());
}

int sx_CreateNew(const char* path, const char* alias, int /*driver*/, int fieldCount)
{
    if (!xb::checkText(path, "file name") || (alias && !xb::checkText(alias, "alias")))
        return 0;
    return Engine::instance().beginCreate(path, alias ? alias : "", fieldCount);
}

void sx_CreateField(const char* name, const char* type, int width, int decimals)
{
    if (!xb::checkText(name, "field name") || !xb::checkText(type, "field type"))
        return;
    xb::DbfField f;
    f.name = name;
    f.type = static_cast<char>(std::toupper(static_cast<unsigned char>(type[0])));
    f.width = width;
    f.decimals = decimals;
    // Fixed-width types may be given any width.
    if (f.type == 'L')
        f.width = 1;
    if (f.type == 'D')
        f.width = 8;
    Engine::instance().addField(f);
}

bool sx_CreateExec()
{
    return Engine::instance().finishCreate();
}

bool sx_CopyStructure(const char* path, const char* alias)
{
    xb::WorkArea* a = xb::currentArea();
    if (!a || !xb::checkText(path, "file name") || (alias && !xb::checkText(alias, "alias")))
        return false;
    for (const xb::DbfField& f : a->table().fields())
        if (f.type == 'M' || f.type == 'G')
            return Engine::instance().fail("tables with memo fields cannot be copied");
    xb::DbfHeader header;
    header.version = 0x03;
    header.codePage = xb::kCodePageWindows1252;
    header.fields = a->table().fields();
    std::string error;
    if (!xb::Table::create(path, header, error))
        return Engine::instance().fail(error);
    return true;
}

bool sx_SetDeleted(bool on)
{
    return std::exchange(settings().deleted, on);
}
bool sx_SetExact(bool on)
{
    return std::exchange(settings().exact, on);
}
bool sx_SetCentury(bool on)
{
    return std::exchange(settings().century, on);
}
int sx_SetDateFormat(int format)
{
    return std::exchange(settings().dateFormat, format);
}
int sx_SetLockTimeout(int seconds)
{
    return std::exchange(settings().lockTimeout, seconds);
}
// Memo files are neither read nor written, and reads are not cached ahead any
// differently on request: these switch nothing and keep nothing.
int sx_SetMemoBlockSize(int)
{
    return 64;
}
bool sx_SetTurboRead(bool)
{
    return false;
}

void sx_SetGaugeHook(std::function<void(int percent)> hook)
{
    Engine::instance().gauge = std::move(hook);
}
