#include "xbase/file_sync.h"

#include <fcntl.h>
#include <unistd.h>

namespace xb {

void syncFolderOf(const std::string& path)
{
    const std::string folder = path.substr(0, path.find_last_of('/') + 1);
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)fsync(dir);
        ::close(dir);
    }
}

} // namespace xb
