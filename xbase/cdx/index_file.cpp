#include "xbase/cdx/index_file.h"

#include <algorithm>
#include <cctype>

#include "xbase/cdx/cursor.h"

namespace xb::cdx {

namespace {

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Tag names are padded with blanks; other programs pad with NULs.
std::string nameFromKey(const uint8_t* key)
{
    std::string name(reinterpret_cast<const char*>(key), kTagNameLen);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0'))
        name.pop_back();
    return name;
}

} // namespace

IndexFile::IndexFile(std::unique_ptr<PageFile> file) : file_(std::move(file))
{
    file_->setBeforeFlush([this] { queueHeaders(); });
}

IndexFile::~IndexFile()
{
    try {
        flush();
    } catch (const std::exception&) {
        // A destructor cannot report; callers that care flush first.
    }
}

std::unique_ptr<IndexFile> IndexFile::open(const std::string& path, bool readOnly)
{
    std::unique_ptr<IndexFile> f(new IndexFile(PageFile::open(path, readOnly)));
    f->load();
    return f;
}

std::unique_ptr<IndexFile> IndexFile::create(const std::string& path)
{
    std::unique_ptr<IndexFile> f(new IndexFile(PageFile::create(path)));
    f->file_->appendPages(2);
    TagHeader h;
    h.keyLen = kTagNameLen;
    h.options = kOptCompact | kOptCompound | kOptStructural;
    Node& root = f->file_->newNode(kAttrRoot | kAttrLeaf, kTagNameLen, ' ');
    h.root = root.offset;
    f->directory_ = std::make_unique<Tag>(*f->file_, std::string(), 0, h);
    f->flush();
    return f;
}

void IndexFile::load()
{
    uint8_t block[kHeaderSize];
    file_->read(0, block, kHeaderSize);
    TagHeader h = TagHeader::decode(block);
    if (h.keyLen != kTagNameLen)
        throw DamagedIndex("tag directory with a wrong key length");
    file_->loadFreeList(h.freeList);
    directory_ = std::make_unique<Tag>(*file_, std::string(), 0, h);
    Cursor c(*directory_);
    for (bool ok = c.first(); ok; ok = c.next()) {
        const uint32_t at = c.recno();
        if (at % kPageSize != 0 || at < kHeaderSize || tags_.size() > file_->size() / kHeaderSize)
            throw DamagedIndex("tag directory entry with a misplaced header");
        file_->read(at, block, kHeaderSize);
        tags_.push_back(std::make_unique<Tag>(*file_, nameFromKey(c.key()), at, TagHeader::decode(block)));
    }
    std::sort(tags_.begin(), tags_.end(),
              [](const auto& a, const auto& b) { return a->headerOffset() < b->headerOffset(); });
}

int IndexFile::find(std::string_view name) const
{
    const std::string want = upper(name);
    for (size_t i = 0; i < tags_.size(); ++i)
        if (upper(tags_[i]->name()) == want)
            return int(i);
    return -1;
}

std::vector<uint8_t> IndexFile::directoryKey(std::string_view name) const
{
    std::vector<uint8_t> key(kTagNameLen, ' ');
    std::copy_n(name.begin(), std::min<size_t>(name.size(), kTagNameLen), key.begin());
    return key;
}

void IndexFile::removeTag(std::string_view name)
{
    const int i = find(name);
    if (i < 0)
        return;
    Tag& t = *tags_[size_t(i)];
    // The stored key may be padded otherwise than ours, so delete by what the directory holds.
    Cursor c(*directory_);
    for (bool ok = c.first(); ok; ok = c.next())
        if (c.recno() == t.headerOffset()) {
            std::vector<uint8_t> key(c.key(), c.key() + kTagNameLen);
            directory_->remove(key.data(), c.recno());
            break;
        }
    t.freePages();
    file_->dropLate(t.headerOffset());
    file_->freeNode(t.headerOffset());
    file_->freeNode(t.headerOffset() + kPageSize);
    tags_.erase(tags_.begin() + i);
}

Tag& IndexFile::addTag(std::string_view name, TagHeader header, uint8_t pad)
{
    const std::string stored = upper(name.substr(0, kTagNameLen));
    removeTag(stored);
    const uint32_t at = file_->appendPages(2);
    Node& root = file_->newNode(kAttrRoot | kAttrLeaf, header.keyLen, pad);
    header.root = root.offset;
    header.options = uint8_t((header.options & (kOptUnique | kOptFor)) | kOptCompact | kOptCompound);
    auto tag = std::make_unique<Tag>(*file_, stored, at, header);
    tag->setPad(pad);
    tag->writeHeader();
    auto key = directoryKey(stored);
    directory_->insert(key.data(), at);
    tags_.push_back(std::move(tag));
    return *tags_.back();
}

void IndexFile::queueHeaders()
{
    TagHeader& h = directory_->header();
    h.freeList = file_->freeHead();
    ++h.version;
    directory_->writeHeader();
}

void IndexFile::flush()
{
    file_->flush();
}

} // namespace xb::cdx
