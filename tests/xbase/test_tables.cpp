#include "test_tables.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/sx.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace xbtest {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "xbase-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
}

TempDir::~TempDir()
{
    std::error_code ec;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ec);
}

KeyMemory::KeyMemory(size_t bytes) : saved_(xb::cdx::keyMemory())
{
    xb::cdx::setKeyMemory(bytes);
}

KeyMemory::~KeyMemory()
{
    xb::cdx::setKeyMemory(saved_);
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool createTable(const std::string& path, const std::vector<std::string>& fields)
{
    if (!sx_CreateNew(path.c_str(), "", SX_DRIVER_CDX, static_cast<int>(fields.size())))
        return false;
    for (const std::string& spec : fields) {
        std::istringstream in(spec);
        std::string name, type, width, dec;
        std::getline(in, name, ':');
        std::getline(in, type, ':');
        std::getline(in, width, ':');
        std::getline(in, dec, ':');
        sx_CreateField(name.c_str(), type.c_str(), std::atoi(width.c_str()), dec.empty() ? 0 : std::atoi(dec.c_str()));
    }
    const bool ok = sx_CreateExec();
    sx_Close();
    return ok;
}

std::string fixture(const std::string& name)
{
    return std::string(ADDRINA_FIXTURES_DIR) + "/xbase/" + name;
}

nlohmann::json expectedJson(const std::string& name)
{
    std::ifstream in(fixture(name + "-expected.json"));
    return nlohmann::json::parse(in);
}

std::string latin1(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b >= 0xC0 && i + 1 < utf8.size())
            out += static_cast<char>(((b & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        else
            out += static_cast<char>(b);
    }
    return out;
}

std::string runCommand(const std::string& command, int* status)
{
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) {
        if (status)
            *status = -1;
        return out;
    }
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    const int rc = pclose(p);
    if (status)
        *status = rc;
    return out;
}

std::string systemPython()
{
    for (const char* candidate : {"/usr/bin/python3", "python3"}) {
        int status = 0;
        runCommand(std::string(candidate) + " -c 'import dbf, dbfread' 2>/dev/null", &status);
        if (status == 0)
            return candidate;
    }
    return {};
}

} // namespace xbtest
