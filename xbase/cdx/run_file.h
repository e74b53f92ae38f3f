#pragma once
// A nameless temporary file that holds the sorted runs of a build whose keys do not
// fit in memory: made in the index's folder, else in the temporary folder (O_TMPFILE),
// else in the index's folder under a name removed at once, so that nothing of it
// outlives the process, however it ends.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace xb::cdx {

class RunFile {
public:
    // Nothing is created until the first reserve().
    explicit RunFile(std::string folder);
    ~RunFile();
    RunFile(const RunFile&) = delete;
    RunFile& operator=(const RunFile&) = delete;

    // The offset of len fresh bytes at the end, for one writer; callable from any thread.
    uint64_t reserve(size_t len);
    // Both throw std::runtime_error with the system's reason, a full disk included.
    void write(uint64_t offset, const uint8_t* data, size_t len) const;
    void read(uint64_t offset, uint8_t* out, size_t len) const;

private:
    void create();

    std::string folder_;
    int fd_ = -1;
    uint64_t end_ = 0;
    std::mutex mutex_;
};

} // namespace xb::cdx
