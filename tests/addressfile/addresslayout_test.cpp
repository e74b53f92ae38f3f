#include "addressfile/addresslayout.h"
#include "addressfile/addressschema.h"
#include "addressfile/fieldlengths.h"
#include "table/ttable.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

using addresslayout::kFields;
using addresslayout::kTags;

TEST(AddressLayout, EveryPositionIsTakenOnceAndOnlyChosenWidthsHaveADialogCell)
{
    std::set<int> declared, cells;
    std::set<std::string> names;
    for (const auto& f : kFields) {
        names.insert(f.name);
        declared.insert(f.declaredAt);
        EXPECT_LE(std::string(f.name).size(), 10u) << f.name;
        EXPECT_TRUE(std::string(f.type) == "C" || std::string(f.type) == "L") << f.name;
        EXPECT_GT(f.displayWidth, 0) << f.name;
        if (f.chosen) {
            cells.insert(f.lengthsCell);
            EXPECT_NE(f.lengthsLabel, nullptr) << f.name;
            EXPECT_GE(f.width, addresslayout::kMinSettingWidth) << f.name;
            EXPECT_LE(f.width, addresslayout::kMaxWidth) << f.name;
            EXPECT_GE(f.dialogDefault, addresslayout::kMinDialogWidth) << f.name;
            EXPECT_LE(f.dialogDefault, addresslayout::kMaxWidth) << f.name;
        } else {
            EXPECT_EQ(f.lengthsLabel, nullptr) << f.name;
            EXPECT_EQ(f.lengthsCell, -1) << f.name;
        }
    }
    EXPECT_EQ(names.size(), kFields.size());
    EXPECT_EQ(declared.size(), kFields.size());
    EXPECT_EQ(*declared.begin(), 0);
    EXPECT_EQ(*declared.rbegin(), static_cast<int>(kFields.size()) - 1);
    EXPECT_EQ(cells.size(), 18u);
    EXPECT_EQ(*cells.begin(), 0);
    EXPECT_EQ(*cells.rbegin(), 17);
}

TEST(AddressLayout, TagNamesAreUniqueAndEachTagOrdersByFieldsOfTheFile)
{
    std::set<std::string> names;
    for (const auto& t : kTags) {
        names.insert(t.name);
        const std::string expression = t.expression;
        bool namesAField = expression == "DELETED()";
        for (const auto& f : kFields)
            namesAField = namesAField || expression.find(f.name) != std::string::npos;
        EXPECT_TRUE(namesAField) << t.name;
    }
    EXPECT_EQ(names.size(), kTags.size());
    EXPECT_EQ(AddressTagNames().size(), static_cast<qsizetype>(kTags.size()));
}

TEST(AddressLayout, TheMainTableTheSettingsAndNewFilesReadTheTable)
{
    TTable table;
    DeclareAddressFields(table);
    ASSERT_EQ(table.Fields().size(), kFields.size());
    for (const auto& f : kFields) {
        const TField* field = table.Fields().at(static_cast<std::size_t>(f.declaredAt));
        EXPECT_EQ(field->FieldName(), QString::fromLatin1(f.name));
        EXPECT_EQ(field->DisplayLabel(), QString::fromLatin1(f.label));
        EXPECT_EQ(field->DisplayWidth(), f.displayWidth);
        EXPECT_EQ(field->Visible(), f.visible);
    }

    const auto& lengths = FieldLengthDefs();
    ASSERT_EQ(lengths.size(), 18u);
    EXPECT_EQ(lengths.front().field, "LNAME");
    EXPECT_EQ(lengths.back().field, "WEBPAGE");
    const NewFileWidths widths;
    for (const auto& f : kFields)
        EXPECT_EQ(widths.Width(QString::fromLatin1(f.name)), f.chosen ? f.width : 0) << f.name;

    ASSERT_EQ(AddressFields().size(), kFields.size());
    for (std::size_t i = 0; i < kFields.size(); ++i)
        EXPECT_EQ(AddressFields()[i].fixedWidth, kFields[i].chosen ? 0 : kFields[i].width) << kFields[i].name;
}

} // namespace
