#pragma once
// A compound index file: a tag directory (itself a small tree keyed by tag name whose
// entries point at each tag's header) and the tags, in the order they were created.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/page_file.h"
#include "xbase/cdx/tag.h"

namespace xb::cdx {

constexpr int kTagNameLen = 10;

class IndexFile {
public:
    ~IndexFile();
    // Both throw DamagedIndex for a damaged file and std::runtime_error when the file
    // cannot be read or written.
    static std::unique_ptr<IndexFile> open(const std::string& path, bool readOnly);
    static std::unique_ptr<IndexFile> create(const std::string& path);

    const std::string& path() const { return file_->path(); }
    PageFile& file() { return *file_; }
    Tag& directory() { return *directory_; }

    size_t tagCount() const { return tags_.size(); }
    Tag& tag(size_t i) { return *tags_[i]; }
    // Position of the named tag (any case), or -1.
    int find(std::string_view name) const;

    // Adds an empty tag, replacing one of the same name. The name is stored in capitals.
    Tag& addTag(std::string_view name, TagHeader header, uint8_t pad);
    void removeTag(std::string_view name);

    void flush();

private:
    explicit IndexFile(std::unique_ptr<PageFile> file);
    void load();
    void queueHeaders();
    std::vector<uint8_t> directoryKey(std::string_view name) const;

    std::unique_ptr<PageFile> file_;
    std::unique_ptr<Tag> directory_;
    std::vector<std::unique_ptr<Tag>> tags_;
};

} // namespace xb::cdx
