#pragma once
// The area registry behind the sx_* calls: work areas 1 to 255 with their aliases,
// the current area, the engine-wide switches, the last error and the progress hook.

#include "xbase/settings.h"
#include "xbase/work_area.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace xb {

class Engine {
public:
    static constexpr int kMaxAreas = 255;

    static Engine& instance();

    EngineSettings settings;
    std::function<void(int)> gauge;

    int currentNumber() const { return current_; }
    WorkArea* current() { return area(current_); }
    WorkArea* area(int number);
    int select(int number);                        // gives the previous current area
    int findAlias(const std::string& alias) const; // any case; 0 when unknown

    // Opens a table into the lowest free area, which becomes current.
    int open(const std::string& path, const std::string& alias, OpenMode mode);
    void close(int number);
    void closeAll();

    // Table creation in steps: reserve an area, collect fields, then write.
    int beginCreate(const std::string& path, const std::string& alias, int expectedFields);
    void addField(const DbfField& field); // to the current area's pending creation
    bool finishCreate();                  // writes the table and opens it in that area

    // Failure reporting: every failing call leaves its message here.
    bool fail(const std::string& message);
    const std::string& lastError() const { return lastError_; }

private:
    struct PendingCreate {
        std::string path;
        std::string alias;
        int expectedFields = 0;
        std::vector<DbfField> fields;
    };

    int freeArea() const;
    std::string aliasFor(const std::string& path, const std::string& alias) const;
    bool attach(int number, std::unique_ptr<Table> table, const std::string& alias);

    std::array<std::unique_ptr<WorkArea>, kMaxAreas + 1> areas_;
    std::array<std::unique_ptr<PendingCreate>, kMaxAreas + 1> creating_;
    int current_ = 1;
    std::string lastError_;
};

} // namespace xb
