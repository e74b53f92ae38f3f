#include "labels/bklsel.h"
#include "labels/labelcatalog.h"
#include "labels/templatetable.h"
#include "labels/tzintlabelfile.h"
#include "platform/programdirectory.h"
#include "support/temp_program_dir.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QString kShipped = QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl");

std::vector<LabelTemplate> SourceTable()
{
    QFile file(QStringLiteral(ADDRINA_SOURCE_DIR "/labels/data/templates.tsv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QString error;
    auto sheets = ParseTemplateTable(QString::fromUtf8(file.readAll()), &error);
    EXPECT_TRUE(sheets) << error.toStdString();
    return sheets.value_or(std::vector<LabelTemplate>());
}

QStringList Children(const QTreeWidgetItem* node)
{
    QStringList names;
    for (int i = 0; i < node->childCount(); ++i)
        names << node->child(i)->text(0);
    return names;
}

} // namespace

TEST(Catalog, TheShippedCatalogueHoldsEverySheetOfTheTable)
{
    const std::vector<LabelTemplate> table = SourceTable();
    const std::vector<LabelTemplate> catalog = ReadCatalog(kShipped);
    ASSERT_EQ(table.size(), 134u);
    ASSERT_EQ(catalog.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(catalog[i], table[i]) << table[i].TemplateName.toStdString();

    // The first sheet is the one new labels start from.
    const LabelTemplate& first = catalog.front();
    EXPECT_EQ(first.TemplateName, "5160");
    EXPECT_EQ(std::make_tuple(first.LabelHeight, first.LabelWidth, first.Across, first.Down, first.TopMargin,
                              first.LeftMargin, first.HorzPitch, first.VertPitch, first.SheetWidth, first.SheetHeight),
              std::make_tuple(1.0, 2.625, 3, 10, 0.5, 0.1875, 2.75, 1.0, 8.5, 11.0));
    EXPECT_EQ(first.PrinterType + first.PaperCode + first.ShapeCode + first.MakerCode, "LJLTRRRAVERY");
}

TEST(Catalog, ACutCatalogueKeepsTheSheetsBeforeTheDamage)
{
    const auto bytes = ReadFileBytes(kShipped);
    ASSERT_TRUE(bytes);
    const std::vector<LabelTemplate> whole = ParseCatalog(*bytes);
    const std::string noEnd = bytes->substr(0, bytes->size() - 1);
    EXPECT_EQ(ParseCatalog(noEnd).size(), whole.size());
    const std::size_t third = CatalogBytes({whole[0], whole[1]}).size() - 1;
    std::vector<LabelTemplate> two = ParseCatalog(bytes->substr(0, third + 20));
    EXPECT_EQ(two, std::vector<LabelTemplate>({whole[0], whole[1]}));
    std::string damaged = *bytes;
    damaged[third + 1 + 4 + 1] = '\x08'; // the third sheet's height is a boolean
    EXPECT_EQ(ParseCatalog(damaged).size(), 2u);
    EXPECT_TRUE(ParseCatalog(std::string_view()).empty());
}

TEST(Catalog, SheetsFallIntoTheFirstMatchingCategory)
{
    LabelTemplate sheet;
    sheet.MakerCode = QStringLiteral("AVERY");
    sheet.PrinterType = QStringLiteral("LJ");
    const std::pair<const char*, int> papers[] = {{"LTR", 0}, {"LTRL", 0}, {"A4", 3},
                                                  {"A5", 3},  {"A4L", -1}, {"USERP", -1}};
    for (const auto& [paper, category] : papers) {
        sheet.PaperCode = QLatin1StringView(paper);
        EXPECT_EQ(CatalogCategory(sheet), category) << paper;
    }
    sheet.PrinterType = QStringLiteral("DM");
    EXPECT_EQ(CatalogCategory(sheet), 2);
    sheet.MakerCode = QStringLiteral("NEBS");
    EXPECT_EQ(CatalogCategory(sheet), 6);
    sheet.MakerCode = QStringLiteral("avery");
    EXPECT_EQ(CatalogCategory(sheet), -1);
}

TEST(Catalog, TreeListsSevenCategoriesInOrderWithTheirSheets)
{
    QTreeWidget tree;
    FillCatalogTree(kShipped, &tree);
    ASSERT_EQ(tree.topLevelItemCount(), 7);
    QStringList categories;
    std::vector<int> counts;
    for (int i = 0; i < 7; ++i) {
        categories << tree.topLevelItem(i)->text(0);
        counts.push_back(tree.topLevelItem(i)->childCount());
    }
    EXPECT_EQ(categories, CatalogCategories());
    EXPECT_EQ(counts, std::vector<int>({35, 36, 21, 27, 15, 0, 0}));
    EXPECT_EQ(Children(tree.topLevelItem(0)).first(), "5160");

    // A sheet of no category is left out; a missing catalogue gives empty categories.
    LabelTemplate odd = ReadCatalog(kShipped).front();
    odd.TemplateName = QStringLiteral("odd");
    odd.PaperCode = QStringLiteral("USERP");
    QTemporaryDir dir;
    QFile file(dir.filePath("adr.tpl"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(CatalogBytes({odd, ReadCatalog(kShipped)[1]})));
    file.close();
    QTreeWidget small;
    FillCatalogTree(dir.filePath("adr.tpl"), &small);
    EXPECT_EQ(Children(small.topLevelItem(0)), QStringList({"5260"}));
    QTreeWidget empty;
    FillCatalogTree(dir.filePath("missing.tpl"), &empty);
    ASSERT_EQ(empty.topLevelItemCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(empty.topLevelItem(i)->childCount(), 0);
}

TEST(Catalog, LoadTemplateTakesTheGeometryOnlyByNameOrFirst)
{
    TZintLabelFile setup;
    setup.Description = QStringLiteral("Mine");
    setup.FontSize = 14;
    ASSERT_TRUE(setup.LoadTemplate(kShipped, QStringLiteral("l7160"), false));
    EXPECT_EQ(setup.TemplateName, "L7160");
    EXPECT_EQ(setup.PaperCode, "A4");
    EXPECT_EQ(setup.Description, "Mine");
    EXPECT_EQ(setup.FontSize, 14);
    const LabelLayout before = setup;
    EXPECT_FALSE(setup.LoadTemplate(kShipped, QStringLiteral("no such sheet"), false));
    EXPECT_FALSE(setup.LoadTemplate(kShipped + "x", QString(), true));
    EXPECT_EQ(static_cast<const LabelLayout&>(setup), before);
    ASSERT_TRUE(setup.LoadTemplate(kShipped, QString(), true));
    EXPECT_EQ(setup.TemplateName, "5160");
    // Only a to z fold: an accented letter must match exactly.
    EXPECT_TRUE(SameTemplateName("ab-Z", "AB-z"));
    EXPECT_FALSE(SameTemplateName("ä", "Ä"));
}

TEST(Catalog, TheProgramDirectoryGetsTheShippedCatalogueWhenItHasNone)
{
    TempProgramDirectory dir;
    ASSERT_TRUE(PrepareProgramDirectory());
    EXPECT_EQ(ReadFileBytes(CatalogPath()), ReadFileBytes(kShipped));
    EXPECT_EQ(LabelsDirectory(), dir.Path() + "Labels/");
}
