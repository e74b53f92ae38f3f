// The xbtool command, run as a separate program the way people use it.
#include "test_tables.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <gtest/gtest.h>

namespace {

// Quotes an argument for the shell.
std::string quoted(const std::string& s)
{
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct Result {
    std::string out;
    int status;
};

Result xbtool(const std::vector<std::string>& args, const std::string& input = {})
{
    std::string command = std::string(ADDRINA_BIN_DIR) + "/xbtool";
    for (const std::string& a : args)
        command += " " + quoted(a);
    if (!input.empty())
        command = "printf '%s' " + quoted(input) + " | " + command;
    Result r;
    r.out = xbtest::runCommand(command + " 2>&1", &r.status);
    return r;
}

TEST(Xbtool, CountsOfTheFixtureFilters)
{
    QFile f(QString::fromStdString(xbtest::fixture("small-expected.json")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QJsonArray filters = QJsonDocument::fromJson(f.readAll()).object()["filters"].toArray();
    for (const auto& item : filters) {
        const QJsonObject o = item.toObject();
        if (!o["ok"].toBool())
            continue;
        const std::string expr = o["expr"].toString().toStdString();
        const std::string exact = o["exact"].toBool() ? "on" : "off";
        const Result on = xbtool({"count", xbtest::fixture("small.dbf"), "--filter", expr, "--exact", exact});
        EXPECT_EQ(on.status, 0) << expr << on.out;
        EXPECT_EQ(on.out, std::to_string(o["count"].toInt()) + "\n") << expr;
        const Result off = xbtool({"count", xbtest::fixture("small.dbf"), "--filter", expr, "--deleted", "off",
                                   "--exact", exact});
        EXPECT_EQ(off.out, std::to_string(o["count_deleted_off"].toInt()) + "\n") << expr;
    }
}

TEST(Xbtool, TagsInInfoAndListOrder)
{
    const Result info = xbtool({"info", xbtest::fixture("small.dbf")});
    EXPECT_NE(info.out.find("  NAME\tUPPER(LNAME-FNAME)\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  NOTISDEL\t!ISDEL\n"), std::string::npos) << info.out;

    QFile f(QString::fromStdString(xbtest::fixture("small-expected.json")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    for (const auto& item : QJsonDocument::fromJson(f.readAll()).object()["tags"].toArray()) {
        const QJsonObject tag = item.toObject();
        if (tag["name"].toString() != "LNAME")
            continue;
        std::string want;
        for (const auto& r : tag["deleted_on"].toArray())
            want += std::to_string(r.toInt()) + "\n";
        const Result list = xbtool({"list", xbtest::fixture("small.dbf"), "--tag", "lname", "--fields", "TAG"});
        std::string got;
        for (std::size_t pos = 0; pos < list.out.size();) {
            const std::size_t end = list.out.find('\n', pos);
            got += list.out.substr(pos, list.out.find('\t', pos) - pos) + "\n";
            pos = end + 1;
        }
        EXPECT_EQ(got, want);
    }
    EXPECT_NE(xbtool({"list", xbtest::fixture("small.dbf"), "--tag", "NOPE"}).out.find("no tag NOPE"), std::string::npos);
}

TEST(Xbtool, CreateAppendChangeAndList)
{
    xbtest::TempDir dir;
    const std::string t = dir.file("people.dbf");
    ASSERT_EQ(xbtool({"create", t, "NAME:C:12", "AMOUNT:N:8:2", "OK:L:1", "BORN:D:8"}).status, 0);
    const Result appended = xbtool({"append", t}, "Müller\t12.5\tT\t19970428\nSmith\n\n€uro\t-1\tF\n");
    EXPECT_EQ(appended.status, 0) << appended.out;
    EXPECT_EQ(appended.out, "3\n");
    EXPECT_EQ(xbtool({"set", t, "2", "name=Jürgen", "AMOUNT=3"}).status, 0);
    EXPECT_EQ(xbtool({"delete", t, "3"}).status, 0);
    EXPECT_EQ(xbtool({"list", t}).out, "1\tMüller\t12.50\tT\t19970428\n2\tJürgen\t3.00\t\t\n");
    EXPECT_EQ(xbtool({"list", t, "--deleted", "off", "--fields", "name,ok"}).out,
              "1\tMüller\tT\n2\tJürgen\t\n3\t€uro\tF\n");
    EXPECT_EQ(xbtool({"count", t, "--filter", "\"ü\" $ NAME"}).out, "2\n");
    EXPECT_EQ(xbtool({"eval", t, "1", "UPPER(NAME)"}).out, "MÜLLER      \n");
    EXPECT_EQ(xbtool({"eval", t, "1", "AMOUNT * 2"}).out, "25\n");
    EXPECT_EQ(xbtool({"eval", t, "1", "OK .and. RECNO() = 1"}).out, ".T.\n");
    EXPECT_EQ(xbtool({"recall", t, "3"}).status, 0);
    EXPECT_EQ(xbtool({"count", t}).out, "3\n");
    EXPECT_EQ(xbtool({"delete", t, "1", "3"}).status, 0);
    EXPECT_EQ(xbtool({"pack", t}).out, "2 records removed, 1 remain\n");
    EXPECT_EQ(xbtool({"list", t, "--deleted", "off"}).out, "1\tJürgen\t3.00\t\t\n");
    const Result info = xbtool({"info", t});
    EXPECT_NE(info.out.find("records:        1"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  AMOUNT     N    8  2"), std::string::npos) << info.out;
}

TEST(Xbtool, ErrorsAreMessagesWithAFailingStatus)
{
    xbtest::TempDir dir;
    const std::string t = dir.file("t.dbf");
    ASSERT_EQ(xbtool({"create", t, "NAME:C:5", "N:N:3"}).status, 0);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "usage"},
        {{"frobnicate", t}, "unknown command"},
        {{"count", dir.file("missing.dbf")}, "cannot open"},
        {{"count", t, "--filter", "NAME ="}, "bad filter"},
        {{"count", t, "--filter", "NOSUCH = 1"}, "NOSUCH"},
        {{"count", t, "--deleted", "maybe"}, "on or off"},
        {{"count", t, "--colour", "red"}, "unknown option"},
        {{"list", t, "--tag", "NAME"}, "no index tags"},
        {{"list", t, "--fields", "NAME,NOPE"}, "NOPE"},
        {{"set", t, "1", "NAME=x"}, "does not exist"},
        {{"eval", t, "x", "NAME"}, "not a valid record number"},
        {{"create", dir.file("u.dbf"), "NAME:C"}, "NAME:TYPE:WIDTH"},
        {{"create", dir.file("u.dbf"), "NAME:Q:5"}, "cannot be created"},
    };
    for (const auto& [args, message] : cases) {
        const Result r = xbtool(args);
        EXPECT_NE(r.status, 0) << r.out;
        EXPECT_NE(r.out.find(message), std::string::npos) << r.out;
    }
    Result r = xbtool({"append", t}, "ab✓\t1\n");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("U+2713"), std::string::npos) << r.out;
    r = xbtool({"append", t}, "a\t1\textra\n");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("line 1"), std::string::npos) << r.out;
    r = xbtool({"append", t}, "a\tnotanumber\n");
    EXPECT_NE(r.status, 0);
    r = xbtool({"append", t}, std::string("\xff\xfe\n"));
    EXPECT_NE(r.out.find("UTF-8"), std::string::npos) << r.out;
    EXPECT_EQ(xbtool({"count", t}).out, "0\n");  // nothing half-appended
}

} // namespace

TEST(Xbtool, CheckOffersTheReindexForKeysAnotherProgramUpperCasedOtherwise)
{
    xbtest::TempDir dir;
    const std::string dbf = dir.file("other.dbf");
    for (const char* ext : {".dbf", ".cdx"})
        ASSERT_TRUE(QFile::copy(QString::fromStdString(xbtest::fixture(std::string("small") + ext)),
                                QString::fromStdString(dir.file(std::string("other") + ext))));
    for (const char* ext : {".dbf", ".cdx"})
        QFile(QString::fromStdString(dir.file(std::string("other") + ext)))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const Result before = xbtool({"check", dbf});
    EXPECT_EQ(before.status, 0);
    EXPECT_NE(before.out.find("to write them anew: xbtool reindex " + dbf + "\n"), std::string::npos) << before.out;
    ASSERT_EQ(xbtool({"reindex", dbf}).status, 0);
    const Result after = xbtool({"check", dbf});
    EXPECT_EQ(after.status, 0);
    EXPECT_EQ(after.out.find("xbtool reindex"), std::string::npos) << after.out;
}
