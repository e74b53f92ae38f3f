#include "xbase/cdx/run_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace xb::cdx {

namespace {

std::runtime_error runError(const std::string& what, const std::string& folder)
{
    return std::runtime_error(what + " the sort file in " + folder + ": " + std::strerror(errno));
}

} // namespace

RunFile::RunFile(std::string folder) : folder_(folder.empty() ? std::string(".") : std::move(folder)) {}

RunFile::~RunFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void RunFile::create()
{
    std::error_code ec;
    const std::string temp = std::filesystem::temp_directory_path(ec).string();
    for (const std::string& folder : {folder_, temp}) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            return;
    }
    // A file system without nameless files: a named one, gone from the folder at once.
    std::string name = folder_ + "/.sort-XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
        throw runError("cannot create", folder_);
    ::unlink(name.c_str());
}

uint64_t RunFile::reserve(size_t len)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ < 0)
        create();
    const uint64_t at = end_;
    end_ += len;
    return at;
}

void RunFile::write(uint64_t offset, const uint8_t* data, size_t len) const
{
    size_t done = 0;
    while (done < len) {
        const ssize_t n = ::pwrite(fd_, data + done, len - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw runError("cannot write", folder_);
        done += size_t(n);
    }
}

void RunFile::read(uint64_t offset, uint8_t* out, size_t len) const
{
    size_t done = 0;
    while (done < len) {
        const ssize_t n = ::pread(fd_, out + done, len - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw runError("cannot read", folder_);
        done += size_t(n);
    }
}

} // namespace xb::cdx
