#pragma once
// The benchmarks' address file in the program's own layout (22 fields, 26 tags):
// deterministic records written straight through the engine, and the tags built as an
// address file builds them.
#include "addressfile/addresslayout.h"
#include "xbase/sx.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace addressrecords {

using addresslayout::kFields;
using addresslayout::kTags;

inline const char* kLast[] = {
    "Smith",    "Johnson",   "Williams", "Brown",    "Jones",    "Garcia",   "Miller", "Davis",   "Rodriguez",
    "Martinez", "Hernandez", "Lopez",    "Gonzalez", "Wilson",   "Anderson", "Thomas", "Taylor",  "Moore",
    "Jackson",  "Martin",    "Lee",      "Perez",    "Thompson", "White",    "Harris", "Sanchez", "Clark",
    "Ramirez",  "Lewis",     "Robinson", "Walker",   "Young",    "Allen",    "King",   "Wright",  "Scott"};
inline const char* kFirst[] = {"James",   "Mary",  "Robert", "Patricia",  "John",    "Jennifer",
                               "Michael", "Linda", "David",  "Elizabeth", "William", "Barbara",
                               "Richard", "Susan", "Joseph", "Jessica",   "Thomas",  "Sarah"};
inline const char* kCity[][2] = {{"Springfield", "IL"}, {"Portland", "OR"}, {"Austin", "TX"},  {"Boston", "MA"},
                                 {"Denver", "CO"},      {"Toronto", "ON"},  {"Madison", "WI"}, {"Salem", "MA"}};

// One deterministic address record, delete mark first.
class RecordMaker {
public:
    explicit RecordMaker(int recordSize) : buf_(size_t(recordSize), ' ') {}

    const char* make(long i)
    {
        std::fill(buf_.begin(), buf_.end(), ' ');
        rng_.seed(unsigned(i) * 2654435761u);
        const char* last = kLast[rng_() % std::size(kLast)];
        put(0, std::string(last) + (rng_() % 4 ? "" : std::to_string(rng_() % 1000)));
        put(1, kFirst[rng_() % std::size(kFirst)]);
        put(2, std::string(1, char('A' + rng_() % 26)));
        put(3, rng_() % 2 ? "Mr." : "Ms.");
        put(4, rng_() % 3 ? "" : "Manager");
        put(5, "Company " + std::to_string(rng_() % 5000));
        put(6, std::to_string(rng_() % 9999) + " Main Street");
        put(7, rng_() % 5 ? "" : "Suite " + std::to_string(rng_() % 500));
        const auto& city = kCity[rng_() % std::size(kCity)];
        put(8, city[0]);
        put(9, city[1]);
        put(10, std::to_string(10000 + rng_() % 89999));
        put(11, rng_() % 10 ? "USA" : "Canada");
        put(12, std::to_string(19500101 + rng_() % 700000));
        put(13, "555-" + std::to_string(1000000 + rng_() % 8999999));
        put(14, rng_() % 2 ? "" : "555-" + std::to_string(1000000 + rng_() % 8999999));
        put(15, rng_() % 3 ? "" : "555-" + std::to_string(1000000 + rng_() % 8999999));
        put(16, std::string(last) + std::to_string(i) + "@example.com");
        put(17, rng_() % 2 ? "VIP" : "");
        put(18, rng_() % 4 ? "" : "Met at the conference number " + std::to_string(rng_() % 100));
        put(19, rng_() % 4 ? "" : "www.example" + std::to_string(i % 977) + ".com");
        put(20, "F");
        put(21, rng_() % 50 ? "" : "TAG1");
        return buf_.data();
    }

private:
    void put(int field, const std::string& value)
    {
        int at = 1;
        for (int f = 0; f < field; ++f)
            at += kFields[f].width;
        std::memcpy(buf_.data() + at, value.data(), std::min(value.size(), size_t(kFields[field].width)));
    }
    std::vector<char> buf_;
    std::mt19937 rng_;
};

inline void createTable(const std::string& path)
{
    std::filesystem::remove(path);
    std::filesystem::remove(std::filesystem::path(path).replace_extension(".CDX"));
    sx_CreateNew(path.c_str(), "", SX_DRIVER_CDX, int(std::size(kFields)));
    for (const auto& f : kFields)
        sx_CreateField(f.name, f.type, f.width, 0);
    sx_CreateExec();
    sx_Close();
}

inline void open(const std::string& path)
{
    if (!sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX))
        std::fprintf(stderr, "open failed: %s\n", sx_LastError().c_str());
}

inline void appendRecords(long count)
{
    RecordMaker maker(sx_RecSize());
    for (long i = 1; i <= count; ++i) {
        sx_AppendBlank();
        sx_PutRecord(maker.make(i));
    }
    sx_Commit();
}

// As an address file builds them: all in one call, which reads the table once per
// group of tags.
inline void buildTags()
{
    std::vector<sx_TagSpec> specs;
    for (const auto& t : kTags)
        specs.push_back({t.name, t.expression, nullptr});
    if (!sx_IndexTags("", specs.data(), int(specs.size())))
        std::fprintf(stderr, "tags: %s\n", sx_LastError().c_str());
}

} // namespace addressrecords
