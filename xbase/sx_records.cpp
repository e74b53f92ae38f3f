// The sx_* calls for moving, records, fields and delete marks.
#include "xbase/sx.h"

#include "xbase/field_value.h"
#include "xbase/sx_facade.h"

#include <cstring>

using xb::Engine;
using xb::WorkArea;

namespace {

// Runs a work-area step and records its failure.
template <typename Step>
bool onArea(Step step)
{
    WorkArea* a = xb::currentArea();
    return a && (step(*a) || xb::areaFailed(*a));
}

std::string fieldBytes(const char* field)
{
    const xb::DbfField* f = xb::currentField(field);
    if (!f)
        return {};
    return std::string(xb::currentArea()->record() + f->offset, static_cast<std::size_t>(f->width));
}

} // namespace

void sx_GoTop()
{
    onArea([](WorkArea& a) { return a.goTop(); });
}
void sx_GoBottom()
{
    onArea([](WorkArea& a) { return a.goBottom(); });
}
void sx_Skip(long count)
{
    onArea([count](WorkArea& a) { return a.skip(count); });
}
void sx_Go(long recno)
{
    onArea([recno](WorkArea& a) { return a.go(recno); });
}

bool sx_Bof()
{
    WorkArea* a = xb::currentArea();
    return !a || a->bof();
}

bool sx_Eof()
{
    WorkArea* a = xb::currentArea();
    return !a || a->eof();
}

long sx_RecNo()
{
    WorkArea* a = xb::currentArea();
    return a ? a->recno() : 0;
}

long sx_RecCount()
{
    WorkArea* a = xb::currentArea();
    return a ? a->recordCount() : 0;
}

int sx_RecSize()
{
    WorkArea* a = xb::currentArea();
    return a ? a->table().recordLength() : 0;
}

void sx_GetRecord(char* buffer)
{
    WorkArea* a = xb::currentArea();
    if (a && buffer)
        std::memcpy(buffer, a->record(), static_cast<std::size_t>(a->table().recordLength()));
}

bool sx_PutRecord(const char* buffer)
{
    if (!buffer)
        return Engine::instance().fail("no record given");
    return onArea([buffer](WorkArea& a) { return a.putRecord(buffer); });
}

bool sx_AppendBlank()
{
    return onArea([](WorkArea& a) { return a.appendBlank(); });
}

bool sx_Rlock(long recno)
{
    WorkArea* a = xb::currentArea();
    if (!a)
        return false;
    if (a->table().lockRecord(recno, Engine::instance().settings.lockTimeout))
        return true;
    return Engine::instance().fail("record " + std::to_string(recno) + " is locked by another program");
}

void sx_Unlock(long recno)
{
    if (WorkArea* a = xb::currentArea())
        a->table().unlockRecord(recno);
}

bool sx_Commit()
{
    return onArea([](WorkArea& a) { return a.commit(); });
}

int sx_FieldCount()
{
    WorkArea* a = xb::currentArea();
    return a ? static_cast<int>(a->table().fields().size()) : 0;
}

std::string sx_FieldName(int number)
{
    WorkArea* a = xb::currentArea();
    if (!a || number < 1 || number > static_cast<int>(a->table().fields().size()))
        return {};
    return a->table().fields()[static_cast<std::size_t>(number - 1)].name;
}

std::string sx_FieldType(const char* field)
{
    const xb::DbfField* f = xb::currentField(field);
    return f ? std::string(1, f->type) : std::string();
}

int sx_FieldWidth(const char* field)
{
    const xb::DbfField* f = xb::currentField(field);
    return f ? f->width : 0;
}

int sx_FieldDecimals(const char* field)
{
    const xb::DbfField* f = xb::currentField(field);
    return f ? f->decimals : 0;
}

int sx_FieldOffset(const char* field)
{
    const xb::DbfField* f = xb::currentField(field);
    return f ? f->offset : 0;
}

int sx_FieldNum(const char* field)
{
    WorkArea* a = xb::currentArea();
    return a && field ? a->table().fieldIndex(field) + 1 : 0;
}

std::string sx_GetString(const char* field)
{
    return fieldBytes(field);
}

std::string sx_GetTrimString(const char* field)
{
    std::string s = fieldBytes(field);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::string sx_GetDateString(const char* field)
{
    const xb::EngineSettings& s = Engine::instance().settings;
    return xb::formatDate(fieldBytes(field), s.dateFormat, s.century);
}

bool sx_GetLogical(const char* field)
{
    const std::string b = fieldBytes(field);
    return !b.empty() && (b[0] == 'T' || b[0] == 't' || b[0] == 'Y' || b[0] == 'y');
}

// Memo contents are not kept by this engine: a memo reads as empty.
std::string sx_GetMemo(const char* field)
{
    xb::currentField(field);
    return {};
}

bool sx_Replace(const char* field, int type, const void* value)
{
    const xb::DbfField* f = xb::currentField(field);
    if (!f)
        return false;
    if (!value)
        return Engine::instance().fail("no value given");
    WorkArea& a = *xb::currentArea();
    if (a.eof())
        return Engine::instance().fail("there is no current record");
    if (a.table().mode() == xb::OpenMode::ReadOnly)
        return Engine::instance().fail(a.table().path() + " is open read-only");
    // Built in a copy of the field so that a refused value leaves the record as it was.
    xb::DbfField local = *f;
    local.offset = 0;
    static std::string scratch; // the engine is single-threaded
    scratch.assign(a.record() + f->offset, static_cast<std::size_t>(f->width));
    std::string error;
    bool ok = false;
    switch (type) {
    case SX_EVAL_NUMERIC:
        ok = xb::storeNumber(local, scratch.data(), *static_cast<const double*>(value), error);
        break;
    case SX_EVAL_LOGICAL:
        ok = xb::storeLogical(local, scratch.data(), *static_cast<const unsigned char*>(value) != 0, error);
        break;
    case SX_EVAL_CHAR:
    case SX_EVAL_DATE: {
        const char* text = static_cast<const char*>(value);
        if (!xb::checkText(text, "value"))
            return false;
        ok = xb::storeText(local, scratch.data(), text, error);
        break;
    }
    default:
        error = "unknown value type " + std::to_string(type);
    }
    if (!ok)
        return Engine::instance().fail(error);
    std::memcpy(a.editRecord() + f->offset, scratch.data(), scratch.size());
    return true;
}

bool sx_Delete()
{
    return onArea([](WorkArea& a) { return a.setDeleteMark(true); });
}
bool sx_Recall()
{
    return onArea([](WorkArea& a) { return a.setDeleteMark(false); });
}

bool sx_Deleted()
{
    WorkArea* a = xb::currentArea();
    return a && a->record()[0] == '*';
}

bool sx_Pack()
{
    return onArea([](WorkArea& a) { return a.pack(Engine::instance().gauge); });
}
