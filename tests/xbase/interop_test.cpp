// Tables exchanged with Debian's independent DBF modules for Python.
#include "test_tables.h"

#include "xbase/sx.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

class InteropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        python_ = xbtest::systemPython();
        if (python_.empty())
            GTEST_SKIP() << "python3 with the dbf modules is not installed";
    }
    void TearDown() override { sx_CloseAll(); }

    std::string runPython(const std::string& script, int* status)
    {
        const std::string file = dir_.file("script.py");
        std::ofstream(file) << script;
        return xbtest::runCommand(python_ + " " + file + " 2>&1", status);
    }

    std::string python_;
    xbtest::TempDir dir_;
};

TEST_F(InteropTest, OurTablesReadFieldForField)
{
    const std::string path = dir_.file("ours.dbf");
    ASSERT_TRUE(xbtest::createTable(path, {"NAME:C:12", "AMOUNT:N:9:2", "FLAG:L:1", "BORN:D:8", "COUNT:N:5"}));
    ASSERT_NE(sx_Use(path.c_str(), "", SX_EXCLUSIVE, SX_DRIVER_CDX), 0);
    const struct {
        const char* name;
        double amount;
        bool flag;
        const char* born;
    } rows[] = {{"M\xFCller", 1234.5, true, "19970428"}, {"Smith", -0.25, false, ""}, {"\x80uro", 0, true, "20261231"}};
    for (const auto& r : rows) {
        sx_AppendBlank();
        sx_Replace("NAME", SX_EVAL_CHAR, r.name);
        sx_Replace("AMOUNT", SX_EVAL_NUMERIC, &r.amount);
        sx_Replace("FLAG", SX_EVAL_LOGICAL, &r.flag);
        sx_Replace("BORN", SX_EVAL_DATE, r.born);
        sx_Replace("COUNT", SX_EVAL_CHAR, "7");
    }
    sx_Go(2);
    sx_Delete();
    sx_Close();

    int status = 0;
    const std::string viaDbfread = runPython("import dbfread\n"
                                             "t = dbfread.DBF('" +
                                                 path +
                                                 "', encoding='cp1252', load=True)\n"
                                                 "print(len(t.records), len(t.deleted), [f.name + f.type + "
                                                 "str(f.length) + '.' + str(f.decimal_count) for f in t.fields])\n"
                                                 "for r in t.records + t.deleted: print(repr(list(r.values())))\n",
                                             &status);
    EXPECT_EQ(status, 0) << viaDbfread;
    EXPECT_EQ(viaDbfread, "2 1 ['NAMEC12.0', 'AMOUNTN9.2', 'FLAGL1.0', 'BORND8.0', 'COUNTN5.0']\n"
                          "['Müller', 1234.5, True, datetime.date(1997, 4, 28), 7]\n"
                          "['€uro', 0.0, True, datetime.date(2026, 12, 31), 7]\n"
                          "['Smith', -0.25, False, None, 7]\n");

    const std::string viaDbf = runPython(
        "import dbf\n"
        "t = dbf.Table('" +
            path +
            "')\n"
            "t.open(dbf.READ_ONLY)\n"
            "print(t.codepage.name, len(t))\n"
            "for r in t: print(repr([r[0].rstrip(), float(r[1]), r[2], str(r[3]), int(r[4]), dbf.is_deleted(r)]))\n",
        &status);
    EXPECT_EQ(status, 0) << viaDbf;
    EXPECT_EQ(viaDbf, "cp1252 3\n"
                      "['Müller', 1234.5, True, '1997-04-28', 7, False]\n"
                      "['Smith', -0.25, False, 'None', 7, True]\n"
                      "['€uro', 0.0, True, '2026-12-31', 7, False]\n");
}

TEST_F(InteropTest, TheirTablesOpenHere)
{
    const std::string vfp = dir_.file("vfp.dbf");
    const std::string db3 = dir_.file("db3.dbf");
    int status = 0;
    const std::string out =
        runPython("import dbf, datetime\n"
                  "t = dbf.Table('" +
                      vfp +
                      "', 'name C(10); amount N(8,2); flag L; born D; cnt I; price Y; stamp T; note M; rate B',"
                      " dbf_type='vfp', codepage='cp1252')\n"
                      "t.open(dbf.READ_WRITE)\n"
                      "t.append(('M\\u00fcller', 12.5, True, datetime.date(1997,4,28), 42, 3.25, "
                      "datetime.datetime(2020,1,2,3,4,5), 'memo', 2.5))\n"
                      "t.append(('Smith', -1, False, None, -7, 0, None, '', 0.125))\n"
                      "dbf.delete(t[1])\n"
                      "t.close()\n"
                      "t = dbf.Table('" +
                      db3 +
                      "', 'name C(10); amount N(8,2)', dbf_type='db3')\n"
                      "t.open(dbf.READ_WRITE)\n"
                      "t.append(('Zoe', 1.5))\n"
                      "t.close()\n",
                  &status);
    ASSERT_EQ(status, 0) << out;

    ASSERT_NE(sx_Use(vfp.c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0) << sx_LastError();
    EXPECT_EQ(sx_RecCount(), 2);
    EXPECT_EQ(sx_FieldType("STAMP"), "T");
    EXPECT_EQ(sx_FieldType("NOTE"), "M");
    sx_Go(1);
    EXPECT_EQ(sx_GetTrimString("NAME"), "M\xFCller");
    EXPECT_EQ(sx_EvalNumeric("CNT + PRICE + RATE + AMOUNT"), 42 + 3.25 + 2.5 + 12.5);
    EXPECT_EQ(sx_EvalString("DTOS(BORN)"), "19970428");
    EXPECT_TRUE(sx_GetLogical("FLAG"));
    EXPECT_EQ(sx_GetMemo("NOTE"), "");
    sx_Go(2);
    EXPECT_TRUE(sx_Deleted());
    EXPECT_EQ(sx_EvalNumeric("CNT"), -7);
    EXPECT_EQ(sx_EvalNumeric("RATE"), 0.125);
    sx_SetDeleted(true);
    EXPECT_EQ(sx_QueryRecCount(), 1);
    sx_SetDeleted(false);

    ASSERT_NE(sx_Use(db3.c_str(), "", SX_READONLY, SX_DRIVER_CDX), 0) << sx_LastError();
    sx_GoTop();
    EXPECT_EQ(sx_GetTrimString("NAME"), "Zoe");
    EXPECT_EQ(sx_EvalNumeric("AMOUNT"), 1.5);
}

} // namespace
