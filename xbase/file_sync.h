#pragma once
// Making renames, creations and removals durable: the folder that lists a file is
// synced as well as the file.

#include <string>

namespace xb {

// Syncs the folder holding path (the current folder for a bare name); best effort.
void syncFolderOf(const std::string& path);

} // namespace xb
