#include "labels/bklsel.h"
#include "labels/labelcatalog.h"
#include "labels/labelsheet.h"
#include "labels/sheetoffer.h"
#include "labels/tzintlabelfile.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const QString kSystem = QStringLiteral("/usr/share/libglabels-3.0/templates");

// The library's sheets as an independent DOM reader takes them, one line each.
QStringList PythonSheets(const QString& folder)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral(ADDRINA_SOURCE_DIR "/tests/labels/library_positions.py"), folder});
    python.waitForFinished(60000);
    return QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kSmallLibrary = R"(<?xml version="1.0"?>
<Glabels-templates>
  <Template brand="Acme" part="10" size="A4" _description="Address labels">
    <Meta category="mail"/>
    <Label-rectangle id="0" width="2in" height="1in" round="2mm">
      <Markup-margin size="9pt"/>
      <Layout nx="2" ny="3" x0="10mm" y0="1cm" dx="3in" dy="6pc"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="11" equiv="10"/>
  <Template brand="Acme" part="20" size="Other" width="4in" height="4in" description="Two layouts">
    <Label-round id="0" radius="1in">
      <Layout nx="1" ny="1" x0="0" y0="0"/>
      <Layout nx="1" ny="1" x0="2in" y0="2in"/>
    </Label-round>
  </Template>
  <Template brand="Acme" part="21" equiv="20"/>
  <Template brand="Acme" part="30" size="US-Letter" description="Disc">
    <Label-cd id="0" radius="2in" hole="0.5in"><Layout nx="1" ny="2" x0="0" y0="0" dx="0" dy="5in"/></Label-cd>
  </Template>
  <Template brand="Acme" part="40" size="US-Letter" description="Dots">
    <Label-round id="0" radius="0.5in"><Layout nx="4" ny="5" x0="0.25in" y0="0.5in" dx="2in" dy="2in"/></Label-round>
  </Template>
  <Template brand="Acme" part="50" size="Tabloid" description="Unknown paper">
    <Label-rectangle id="0" width="1in" height="1in"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle>
  </Template>
</Glabels-templates>
)";

} // namespace

TEST(SheetLibrary, EverySheetLiesWhereTheLibrarysOwnNumbersPutIt)
{
    const SheetLibrary library = ReadSheetLibrary({kSystem});
    const QStringList expected = PythonSheets(kSystem);
    ASSERT_GT(expected.size(), 1500);
    EXPECT_TRUE(library.problems.isEmpty()) << library.problems.join('\n').toStdString();
    EXPECT_GT(library.leftOut, 70);
    int tooMany = 0;
    for (const QString& line : expected) {
        const QStringList v = line.split(QLatin1Char('\t'));
        const LibrarySheet* found = FindLibrarySheet(library, v[0]);
        if (v[5].toInt() * v[6].toInt() > kMaxLabelPositions) {
            EXPECT_EQ(found, nullptr) << v[0].toStdString();
            ++tooMany;
            continue;
        }
        ASSERT_NE(found, nullptr) << v[0].toStdString();
        const LabelTemplate& s = found->sheet;
        const auto near = [](double inches, const QString& points) {
            return std::abs(inches * 72 - points.toDouble()) < 0.01;
        };
        EXPECT_TRUE(near(s.SheetWidth, v[1]) && near(s.SheetHeight, v[2]) && near(s.LabelWidth, v[3]) &&
                    near(s.LabelHeight, v[4]) && s.Across == v[5].toInt() && s.Down == v[6].toInt())
            << line.toStdString();
        for (const SheetPosition& p : SheetPositions(s)) {
            const QStringList corner = v[7 + p.row * s.Across + p.col].split(QLatin1Char(','));
            const QPointF at = LabelCell(s, p.row, p.col).topLeft();
            EXPECT_TRUE(near(at.x(), corner[0]) && near(at.y(), corner[1])) << line.toStdString();
        }
    }
    // The sheets with more positions than a print selection holds are among those left out.
    EXPECT_EQ(library.sheets.size() + tooMany, static_cast<std::size_t>(expected.size()));
    EXPECT_LT(tooMany, 10);
}

TEST(SheetLibrary, UnitsShapesAliasesAndWhatIsLeftOut)
{
    EXPECT_EQ(LibraryLength(u"25.4mm"), 1.0);
    EXPECT_EQ(LibraryLength(u"2.54cm"), 1.0);
    EXPECT_EQ(LibraryLength(u"6pc"), 1.0);
    EXPECT_EQ(LibraryLength(u"36pt"), 0.5);
    EXPECT_EQ(LibraryLength(u"144"), 2.0);
    EXPECT_EQ(LibraryLength(u"1.5 in"), 1.5);
    EXPECT_FALSE(LibraryLength(u"wide"));
    EXPECT_FALSE(LibraryLength(u"3ft"));

    QTemporaryDir dir;
    Write(dir.filePath("acme-templates.xml"), kSmallLibrary);
    Write(dir.filePath("broken-templates.xml"), kSmallLibrary.left(300));
    const SheetLibrary library = ReadSheetLibrary({dir.path()});
    ASSERT_EQ(library.sheets.size(), 3u);
    const LibrarySheet& ten = library.sheets[0];
    EXPECT_EQ(ten.sheet.TemplateName, "Acme 10");
    EXPECT_EQ(std::make_tuple(ten.sheet.LabelWidth, ten.sheet.LabelHeight, ten.sheet.Across, ten.sheet.Down),
              std::make_tuple(2.0, 1.0, 2, 3));
    EXPECT_NEAR(ten.sheet.LeftMargin, 10 / 25.4, 1e-12);
    EXPECT_NEAR(ten.sheet.TopMargin, 10 / 25.4, 1e-12);
    EXPECT_EQ(std::make_tuple(ten.sheet.HorzPitch, ten.sheet.VertPitch, ten.markupMargin),
              std::make_tuple(3.0, 1.0, 0.125));
    EXPECT_EQ(ten.sheet.PaperCode + ten.sheet.ShapeCode + ten.sheet.ExtraCode, "A4RRAddress labels");
    EXPECT_EQ(ten.categories, QStringList({"mail"}));
    EXPECT_EQ(library.sheets[1].sheet.TemplateName, "Acme 11");
    EXPECT_EQ(library.sheets[1].sheet.LabelWidth, 2.0);
    const LabelTemplate& dots = library.sheets[2].sheet;
    EXPECT_EQ(dots.PaperCode + dots.ShapeCode, "LTREL");
    EXPECT_EQ(std::make_tuple(dots.LabelWidth, dots.LabelHeight, dots.SheetWidth, dots.SheetHeight),
              std::make_tuple(1.0, 1.0, 8.5, 11.0));

    // Two layouts, their alias and the CD are left out and counted; the unknown paper and
    // the cut file are named.
    EXPECT_EQ(library.leftOut, 3);
    ASSERT_EQ(library.problems.size(), 2);
    EXPECT_TRUE(library.problems[0].contains("Acme 50: paper size \"Tabloid\" is unknown"));
    EXPECT_TRUE(library.problems[1].contains(dir.filePath("broken-templates.xml") + "\" skipped: line"));
    const QString status = SheetLibraryStatus(library);
    EXPECT_TRUE(
        status.contains("3 sheets of the label library left out: several layouts or shapes Addrina cannot print"));
    EXPECT_TRUE(status.contains("broken-templates.xml"));
    EXPECT_NE(FindLibrarySheet(library, "ACME 11"), nullptr);
    EXPECT_EQ(FindLibrarySheet(library, "Acme 20"), nullptr);
}

TEST(SheetLibrary, OffersAreSearchedAndCategorisedAlike)
{
    const SheetLibrary& library = SystemSheetLibrary();
    EXPECT_EQ(&library, &SystemSheetLibrary());
    const std::vector<SheetOffer> offers = SheetOffers(ReadCatalog(ADDRINA_BIN_DIR "/adr.tpl"), library);
    ASSERT_EQ(offers.size(), 134 + library.sheets.size());
    const auto count = [&](const QString& search, const QString& category) {
        return std::count_if(offers.begin(), offers.end(),
                             [&](const SheetOffer& o) { return o.Matches(search, category); });
    };
    EXPECT_EQ(count("zweckform 3475", {}), 1);
    EXPECT_GE(count("l7160", {}), 2); // ours and the library's
    EXPECT_GT(count({}, "round-label"), 50);
    EXPECT_EQ(count("5160", "round-label"), 0);
    EXPECT_EQ(offers.front().Line(), "AVERY\t5160\tUS-Letter\t3 x 10\tAddress labels 1 x 2-5/8 in");
    EXPECT_EQ(CatalogSheetCategories(offers.front().sheet), QStringList({"label", "rectangle-label", "mail"}));
}

TEST(SheetLibrary, APickedLibrarySheetIsKeptByItsValues)
{
    const QString catalog = QStringLiteral(ADDRINA_BIN_DIR "/adr.tpl");
    TZintLabelFile setup;
    setup.TextMarginLeft = 0;
    ASSERT_TRUE(setup.LoadTemplate(catalog, "5160", false));
    TSelectLabel picker(setup, catalog);
    picker.show();
    auto* search = picker.findChild<QLineEdit*>("SearchEdit");
    ASSERT_TRUE(search);
    search->setText("Zweckform 3475");
    QTreeWidgetItem* chosen = nullptr;
    for (QTreeWidgetItemIterator it(picker.TV1,
                                    QTreeWidgetItemIterator::NotHidden | QTreeWidgetItemIterator::NoChildren);
         *it; ++it)
        chosen = chosen ? chosen : *it;
    ASSERT_TRUE(chosen);
    picker.TV1->setCurrentItem(chosen);
    EXPECT_TRUE(
        picker.LabelDesc->text().startsWith("Template........Zweckform 3475\n# Across........3\n# Down..........8"));
    EXPECT_TRUE(picker.findChild<QLabel*>("LibraryStatus")->text().contains("left out"));
    EXPECT_EQ(picker.Setup().TemplateName, "Zweckform 3475");

    QTemporaryDir dir;
    const QString path = dir.filePath("z.lbl");
    picker.Setup().SaveToFile(path);
    UseSheetLibraryFolders({dir.filePath("empty")});
    EXPECT_TRUE(SystemSheetLibrary().sheets.empty());
    TZintLabelFile reopened;
    ASSERT_TRUE(reopened.LoadFromFile(path));
    EXPECT_EQ(static_cast<const LabelTemplate&>(reopened), static_cast<const LabelTemplate&>(picker.Setup()));
    UseSheetLibraryFolders({kSystem});
}

TEST(SheetLibrary, ANewSetupProposesTheSheetOfTheLocalPaper)
{
    EXPECT_EQ(DefaultTemplateName(QLocale(QLocale::English, QLocale::UnitedStates)), "5160");
    EXPECT_EQ(DefaultTemplateName(QLocale(QLocale::French, QLocale::Canada)), "5160");
    EXPECT_EQ(DefaultTemplateName(QLocale(QLocale::Spanish, QLocale::Mexico)), "5160");
    EXPECT_EQ(DefaultTemplateName(QLocale(QLocale::German, QLocale::Germany)), "L7160");
    EXPECT_EQ(DefaultTemplateName(QLocale(QLocale::English, QLocale::UnitedKingdom)), "L7160");
}
