#pragma once
// Deterministic address-file data for the engine benchmarks: the 22 fields with
// the default widths of a new address file, and generated records.

#include "addressfile/addresslayout.h"
#include "xbase/sx.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <sys/resource.h>

namespace xbbench {

using FieldSpec = addresslayout::FieldSpec;

inline const std::array<FieldSpec, 22>& addressFields()
{
    return addresslayout::kFields;
}

// The 22 values of record n (0-based), the same on every run.
inline std::vector<std::string> addressValues(std::uint32_t n)
{
    static const char* const last[] = {"Smith",     "Johnson", "Miller",   "Garcia", "Schmidt", "Martin", "Brown",
                                       "Goldsmith", "Nguyen",  "Kowalski", "Rossi",  "Dubois",  "Meyer"};
    static const char* const first[] = {"John", "Mary", "Ana", "Luc", "Jane", "Peter", "Olga", "Ken"};
    static const char* const city[] = {"Boston", "Denver", "Austin", "Portland", "Chicago", "Miami"};
    static const char* const state[] = {"MA", "CO", "TX", "OR", "IL", "FL"};
    std::uint32_t x = n * 2654435761u + 12345u;
    auto next = [&x] {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x;
    };
    const std::string num = std::to_string(n);
    return {last[next() % 13] + std::string(next() % 3 == 0 ? "-Lee" : ""),
            first[next() % 8],
            std::string(1, static_cast<char>('A' + next() % 26)),
            next() % 4 == 0 ? "Dr." : "",
            "Manager",
            "Company " + std::to_string(next() % 500),
            std::to_string(next() % 9999) + " Main Street",
            "",
            city[n % 6],
            state[n % 6],
            std::to_string(10000 + next() % 89999),
            "USA",
            "2019" + std::to_string(10 + next() % 3) + "1" + std::to_string(next() % 10),
            "555-" + num,
            "",
            "",
            "person" + num + "@example.com",
            next() % 5 == 0 ? "A" : "B",
            "generated record " + num,
            "",
            next() % 10 == 0 ? "T" : "F",
            ""};
}

// Appends count generated records to the table open in the current area.
inline void appendAddresses(std::uint32_t count)
{
    const auto& fields = addressFields();
    for (std::uint32_t n = 0; n < count; ++n) {
        const std::vector<std::string> values = addressValues(n);
        sx_AppendBlank();
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!values[i].empty())
                sx_Replace(fields[i].name, SX_EVAL_CHAR, values[i].c_str());
    }
    sx_Commit();
}

// Creates an empty address-shaped table at path; false on failure.
inline bool createAddressTable(const std::string& path)
{
    const auto& fields = addressFields();
    if (!sx_CreateNew(path.c_str(), "BENCH", SX_DRIVER_CDX, static_cast<int>(fields.size())))
        return false;
    for (const FieldSpec& f : fields)
        sx_CreateField(f.name, f.type, f.width, 0);
    const bool ok = sx_CreateExec();
    sx_Close();
    return ok;
}

// The process's peak resident memory: stays near the block cache's size however
// large the table grows.
inline double peakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

} // namespace xbbench
