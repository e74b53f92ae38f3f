#pragma once
// Helpers for the engine tests: temporary folders and small tables.

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace xbtest {

// A fresh folder under the system's temporary directory, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// While one lives, index builds hold at most this many bytes of keys in memory.
class KeyMemory {
public:
    explicit KeyMemory(size_t bytes);
    ~KeyMemory();
    KeyMemory(const KeyMemory&) = delete;
    KeyMemory& operator=(const KeyMemory&) = delete;

private:
    size_t saved_;
};

// A whole file's bytes.
std::string fileBytes(const std::string& path);

// Creates a table with the given "NAME:TYPE:WIDTH[:DEC]" fields through the
// engine calls and closes it; false on failure.
bool createTable(const std::string& path, const std::vector<std::string>& fields);

// Path of a fixture file in the shared xBase fixtures.
std::string fixture(const std::string& name);
// What the producing engine answered on a fixture: <name>-expected.json, read.
nlohmann::json expectedJson(const std::string& name);
// UTF-8 text as Latin-1 bytes (the fixtures' keys hold no other characters).
std::string latin1(const std::string& utf8);

// Runs a shell command and gives its standard output; exit status in status.
std::string runCommand(const std::string& command, int* status = nullptr);

// The system's Python 3 (the one with Debian's dbf modules), or "" if absent.
std::string systemPython();

} // namespace xbtest
