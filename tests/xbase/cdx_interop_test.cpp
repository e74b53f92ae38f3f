// Index files we write, read by an independent reader (Debian's libdbd-xbase-perl):
// every tag gives the same keys in the same order as ours.
#include "addressfile/addresslayout.h"
#include "test_tables.h"

#include "xbase/cdx/cdx_index.h"
#include "xbase/cdx/cursor.h"
#include "xbase/engine.h"
#include "xbase/sx.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using xb::cdx::CdxIndex;

const char* kReader = R"(use strict; use XBase::Index;
my ($cdx, @tags) = @ARGV;
for my $t (@tags) {
  my $i = XBase::Index->new($cdx, tag => $t, type => 'C') or die XBase::Index->errstr;
  $i->prepare_select;
  while (my ($k, $v) = $i->fetch) { print "$t\t$v\t$k\n"; }
}
)";

bool perlReaderPresent()
{
    int status = 0;
    xbtest::runCommand("perl -MXBase::Index -e 1 2>/dev/null", &status);
    return status == 0;
}

// "TAG<tab>recno<tab>key" for every entry of every tag, keys without trailing blanks.
std::string ourListing(const std::vector<std::string>& tags)
{
    auto* index = dynamic_cast<CdxIndex*>(xb::Engine::instance().current()->index());
    std::string out;
    for (const std::string& t : tags) {
        const int n = index->find(t);
        xb::cdx::Cursor c(index->tag(n));
        for (bool ok = c.first(); ok; ok = c.next()) {
            std::string key(reinterpret_cast<const char*>(c.key()), size_t(index->tag(n).keyLen()));
            key.erase(key.find_last_not_of(' ') + 1);
            out += t + "\t" + std::to_string(c.recno()) + "\t" + key + "\n";
        }
    }
    return out;
}

std::string perlListing(const xbtest::TempDir& dir, const std::string& cdx, const std::vector<std::string>& tags)
{
    const std::string script = dir.file("read.pl");
    std::ofstream(script) << kReader;
    std::string command = "perl " + script + " " + cdx;
    for (const std::string& t : tags)
        command += " " + t;
    int status = 0;
    std::string out = xbtest::runCommand(command + " 2>&1", &status);
    EXPECT_EQ(status, 0) << out;
    return out;
}

TEST(CdxInterop, PerlReaderSeesOurTwentySixTagsAsWeDo)
{
    if (!perlReaderPresent())
        GTEST_SKIP() << "libdbd-xbase-perl is not installed";
    xbtest::TempDir dir;
    const std::string dbf = dir.file("small.dbf");
    fs::copy_file(xbtest::fixture("small.dbf"), dbf);
    fs::permissions(dbf, fs::perms::owner_write, fs::perm_options::add);
    ASSERT_NE(sx_Use(dbf.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    std::vector<std::string> tags;
    for (const auto& d : addresslayout::kTags) {
        ASSERT_GT(sx_IndexTag("", d.name, d.expression, 0, false, ""), 0) << sx_LastError();
        tags.push_back(d.name);
    }
    // Entries added one by one too, so pages split by insertion are read as well.
    for (int i = 0; i < 300; ++i) {
        sx_AppendBlank();
        const std::string name = "Added " + std::to_string(i * 37 % 300);
        sx_Replace("LNAME", SX_EVAL_CHAR, name.c_str());
        sx_Replace("FNAME", SX_EVAL_CHAR, "Pat");
    }
    sx_Commit();
    EXPECT_EQ(perlListing(dir, dir.file("small.cdx"), tags), ourListing(tags));
    sx_CloseAll();
}

TEST(CdxInterop, PerlReaderWalksADeepTree)
{
    if (!perlReaderPresent())
        GTEST_SKIP() << "libdbd-xbase-perl is not installed";
    xbtest::TempDir dir;
    const std::string dbf = dir.file("deep.dbf");
    ASSERT_TRUE(xbtest::createTable(dbf, {"A:C:60", "B:C:60"}));
    ASSERT_NE(sx_Use(dbf.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    ASSERT_GT(sx_IndexTag("", "AB", "A+B", 0, false, ""), 0);
    for (int i = 0; i < 4000; ++i) {
        sx_AppendBlank();
        const std::string a = "K" + std::to_string(i * 7919 % 4000);
        sx_Replace("A", SX_EVAL_CHAR, a.c_str());
        sx_Replace("B", SX_EVAL_CHAR, i % 3 ? "tail" : "");
    }
    sx_Commit();
    EXPECT_EQ(perlListing(dir, dir.file("deep.cdx"), {"AB"}), ourListing({"AB"}));
    sx_CloseAll();
}

} // namespace
