#pragma once
// While one lives, writes that would make any file of this process larger than
// the given size fail with "File too large", as writes to a full disk fail,
// without the signal that would otherwise end the test program.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    struct sigaction savedAction_ {};
};
