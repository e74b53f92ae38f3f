#pragma once
// The engine's call interface: xBase work areas over DBF tables with structural
// compound .CDX indexes. Every call acts on the current work area (1..255).
// Texts are bytes in the table's code page (Windows-1252); no text argument may
// exceed 255 bytes. Calls that fail return 0/false/empty and leave a message for
// sx_LastError(); the engine never shows anything itself.
//
// This facade is thin: the work lives in the classes of this folder.

#include <cstdint>
#include <functional>
#include <string>

// Open modes for sx_Use.
enum : int { SX_SHARED = 0, SX_READONLY = 1, SX_EXCLUSIVE = 2 };
// Drivers; address files use SX_DRIVER_CDX.
enum : int { SX_DRIVER_NTX = 1, SX_DRIVER_CDX = 2, SX_DRIVER_NSX = 3, SX_DRIVER_AXNTX = 11, SX_DRIVER_AXFOX = 12 };
// Result of sx_EvalTest: the type of a valid expression.
enum : int { SX_EVAL_ERROR = 0, SX_EVAL_CHAR = 1, SX_EVAL_NUMERIC = 2, SX_EVAL_DATE = 3, SX_EVAL_LOGICAL = 4 };

// Set-up.
void sx_SetStringType(int type); // switches nothing
int sx_ErrorLevel(int level);    // 0: the engine shows no messages, at any level
std::string sx_Version();
long sx_SysProp(int code, long value); // property 1009: gives its previous value; others 0
void sx_CloseAll();
std::string sx_LastError(); // message of the most recent failure

// Areas.
int sx_Select(int area);            // gives the previous current area
int sx_WorkArea(const char* alias); // the alias's area, or 0

// Files.
int sx_Use(const char* path, const char* alias, int mode, int driver); // new area, 0 on failure
void sx_Close();
int sx_CreateNew(const char* path, const char* alias, int driver, int fieldCount); // area, 0 on failure
void sx_CreateField(const char* name, const char* type, int width, int decimals);
bool sx_CreateExec();
bool sx_CopyStructure(const char* path, const char* alias);

// Indexes (the structural compound index of the current table).
int sx_IndexTag(const char* file, const char* tag, const char* keyExpr, int option, bool descending,
                const char* condition); // order of the new tag, 0 on failure
// Several tags at once, as sx_IndexTag each, reading the table once per group of
// tags instead of once per tag; the order of the last, 0 on failure.
struct sx_TagSpec {
    const char* tag;
    const char* keyExpr;
    const char* condition; // may be null
};
int sx_IndexTags(const char* file, const sx_TagSpec* tags, int count);
int sx_TagArea(const char* tag); // order of the tag (names ignore case), 0 if absent
std::string sx_TagName(int order);
int sx_IndexOrd();
int sx_SetOrder(int order);          // 0 is natural order; gives the previous order
std::string sx_IndexName(int order); // path of the index file holding that order
int sx_IndexOpen(const char* file);
void sx_CloseIndexes();
bool sx_Reindex();         // rebuilds every tag from its expression
long sx_ForeignCaseKeys(); // keys another program upper-cased otherwise; 0 without index

// Moving. Moves skip records the filter excludes, and delete-marked ones while
// sx_SetDeleted is on.
void sx_GoTop();
void sx_GoBottom();
void sx_Skip(long count);
void sx_Go(long recno);
bool sx_Bof();
bool sx_Eof();
long sx_RecNo();
long sx_RecCount(); // every record, marked ones included

// Seek on the current order.
bool sx_Seek(const char* key);
bool sx_Found();
bool sx_SetExact(bool on);    // gives the previous setting
bool sx_SetSoftSeek(bool on); // gives the previous setting

// Records and fields. Field arguments are names (any case).
int sx_RecSize();
void sx_GetRecord(char* buffer);       // sx_RecSize bytes, delete mark first
bool sx_PutRecord(const char* buffer); // stores the whole record; false on failure
bool sx_AppendBlank();                 // a blank current record, added at the end
bool sx_Rlock(long recno);
void sx_Unlock(long recno); // 0 releases every lock
bool sx_Commit();           // false when a change could not be written
int sx_FieldCount();
std::string sx_FieldName(int number);        // 1-based
std::string sx_FieldType(const char* field); // "C", "N", "L", "D", ...; empty if no such field
int sx_FieldWidth(const char* field);
int sx_FieldDecimals(const char* field);
int sx_FieldOffset(const char* field); // byte offset in the record (the delete mark is byte 0)
int sx_FieldNum(const char* field);    // 1-based, 0 if absent
std::string sx_GetString(const char* field);
std::string sx_GetTrimString(const char* field);
std::string sx_GetDateString(const char* field);
bool sx_GetLogical(const char* field);
std::string sx_GetMemo(const char* field);
// Stores a value into a field of the current record buffer; the record reaches the
// file when the area moves, commits or closes. The value is a const char* text for
// SX_EVAL_CHAR and SX_EVAL_DATE (yyyymmdd), a const double* for SX_EVAL_NUMERIC and
// a const bool* for SX_EVAL_LOGICAL. A text for a numeric field is read as a number.
bool sx_Replace(const char* field, int type, const void* value);

// Delete marks.
bool sx_Delete();
bool sx_Deleted();
bool sx_Recall();
bool sx_Pack(); // removes marked records, then rebuilds the tags

// Filters and evaluation.
long sx_Query(const char* expression); // sets the filter ("" clears); match count, -1 on a bad expression
long sx_QueryRecCount();
int sx_QueryTest(const char* expression); // SX_EVAL_* type of the expression; 0 when invalid
std::string sx_DBFilter();
bool sx_SetScope(const char* low, const char* high);
int sx_EvalTest(const char* expression); // SX_EVAL_* type, SX_EVAL_ERROR when invalid
bool sx_EvalLogical(const char* expression);
std::string sx_EvalString(const char* expression);
double sx_EvalNumeric(const char* expression);
std::string sx_IndexKey();      // the current order's key of the current record
std::string sx_IndexKeyField(); // the current order's key expression
std::string sx_KeyData();       // same as sx_IndexKey

// Switches.
bool sx_SetDeleted(bool on);
bool sx_SetCentury(bool on);
int sx_SetDateFormat(int format);
int sx_SetLockTimeout(int seconds);
int sx_SetMemoBlockSize(int size); // switches nothing: gives the default 64
bool sx_SetTurboRead(bool on);     // switches nothing: gives false

// Progress of sx_Pack and of index building: called with 0..100, restarting at 0 for
// each tag. An empty function ends the reports.
void sx_SetGaugeHook(std::function<void(int percent)> hook);
