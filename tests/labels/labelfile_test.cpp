#include "labels/labelcatalog.h"
#include "labels/tzintlabelfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A setup with every one of the 42 fields away from its default.
LabelLayout Unusual()
{
    LabelLayout l;
    l.Description = QStringLiteral("Office");
    l.TemplateName = QStringLiteral("L7160");
    l.LabelHeight = 1.4961;
    l.LabelWidth = 2.5;
    l.Across = 3;
    l.Down = 7;
    l.TopMargin = 0.6;
    l.LeftMargin = 0.28;
    l.HorzPitch = 2.6;
    l.VertPitch = 1.4961;
    l.SheetWidth = 8.2677;
    l.SheetHeight = 11.6929;
    l.PrinterType = QStringLiteral("LJ");
    l.PaperCode = QStringLiteral("A4");
    l.ShapeCode = QStringLiteral("SR");
    l.MakerCode = QStringLiteral("AVERY");
    l.ExtraCode = QString(300, QLatin1Char('x'));
    l.HorzGap = 0.125;
    l.VertGap = -0.5;
    l.FontName = QStringLiteral("Times New Roman");
    l.FontSize = 200;
    l.FontBold = l.FontItalic = l.FontUnderline = true;
    l.FontColor = 0x00123456;
    l.Alignment = 2;
    l.TextMarginLeft = 0.1;
    l.TextMarginTop = 0.3;
    l.TextMarginRight = 0.4;
    l.TextMarginBottom = 0.5;
    l.AdjustFontSizeToFit = true;
    l.UseName = l.UseTitle = l.UseCompany = l.UseStreet = l.UseStreet2 = false;
    l.UseCityState = l.UseZip = l.UseCountry = false;
    l.UsePhone = true;
    l.ZipOptions = zoBeforeCountry;
    l.UpperCase = true;
    return l;
}

void Write(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

class LabelFile : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(LabelFile, ANewSetupHasTheDefaults)
{
    const TZintLabelFile setup;
    EXPECT_TRUE(setup.Description.isEmpty());
    EXPECT_EQ(setup.Across, 0);
    EXPECT_EQ(setup.FontName, "Arial");
    EXPECT_EQ(setup.FontSize, 10);
    EXPECT_EQ(setup.TextMarginBottom, 0.2);
    EXPECT_TRUE(setup.UseName && setup.UseCountry && !setup.UsePhone && !setup.UpperCase);
    EXPECT_EQ(setup.ZipOptions, zoAfterState);
}

TEST_F(LabelFile, WrittenSetupReadsBackFieldForFieldNamedAfterItsFile)
{
    TZintLabelFile written;
    written.Assign(Unusual());
    written.Description = QStringLiteral("Müller & Söhne €");
    written.SaveToFile(Path("Office.old.lbl"));

    TZintLabelFile read;
    ASSERT_TRUE(read.LoadFromFile(Path("Office.old.lbl")));
    EXPECT_EQ(read.Description, "Office"); // the file's name before its first period, not the stored text
    read.Description = written.Description;
    EXPECT_EQ(static_cast<const LabelLayout&>(read), static_cast<const LabelLayout&>(written));

    // The stored description is Windows-1252; the 300-character extra code uses the long text form.
    const auto bytes = ReadFileBytes(Path("Office.old.lbl"));
    ASSERT_TRUE(bytes);
    EXPECT_NE(bytes->find("M\xFCller & S\xF6hne \x80"), std::string::npos);
    EXPECT_NE(bytes->find(std::string("\x0C\x2C\x01\x00\x00", 5)), std::string::npos);
}

TEST_F(LabelFile, DamagedOrCutFilesLeaveTheSetupUnchanged)
{
    const std::string good = LabelFileBytes(Unusual());
    TZintLabelFile setup;
    setup.Description = QStringLiteral("Before");
    const LabelLayout before = setup;
    for (std::size_t cut = 0; cut < good.size(); ++cut)
        ASSERT_FALSE(ParseLabelFile(std::string_view(good).substr(0, cut))) << cut;
    for (std::size_t cut : {std::size_t(0), good.size() / 2, good.size() - 1}) {
        Write(Path("cut.lbl"), good.substr(0, cut));
        ASSERT_FALSE(setup.LoadFromFile(Path("cut.lbl"))) << cut;
    }
    std::string wrongType = good;
    wrongType[good.find("L7160") + 5] = '\x06'; // the label height becomes a text
    Write(Path("damaged.lbl"), wrongType);
    EXPECT_FALSE(setup.LoadFromFile(Path("damaged.lbl")));
    EXPECT_FALSE(setup.LoadFromFile(Path("missing.lbl")));
    EXPECT_EQ(static_cast<const LabelLayout&>(setup), before);
}

TEST_F(LabelFile, ATextLabelFilesCannotHoldIsRefusedAndTheOldFileStays)
{
    TZintLabelFile setup;
    setup.SaveToFile(Path("Home.lbl"));
    const auto before = ReadFileBytes(Path("Home.lbl"));
    setup.Description = QStringLiteral("Home ☎");
    try {
        setup.SaveToFile(Path("Home.lbl"));
        FAIL() << "saved a description Windows-1252 cannot hold";
    } catch (const LabelFileError& e) {
        EXPECT_EQ(e.Message(),
                  "The description \"Home ☎\" holds the character \"☎\", which a label file cannot store.");
    }
    EXPECT_EQ(ReadFileBytes(Path("Home.lbl")), before);
    EXPECT_THROW(setup.SaveToFile(Path("no/such/folder/x.lbl")), LabelFileError);
}

TEST_F(LabelFile, ASheetWithMoreThan200PositionsKeepsTheRowsThatFit)
{
    LabelLayout big = Unusual();
    big.Across = 9;
    big.Down = 30;
    Write(Path("big.lbl"), LabelFileBytes(big));
    TZintLabelFile setup;
    ASSERT_TRUE(setup.LoadFromFile(Path("big.lbl")));
    EXPECT_EQ(setup.Across, 9);
    EXPECT_EQ(setup.Down, 22);
    big.Across = 1000;
    big.Down = -3;
    Write(Path("big.lbl"), LabelFileBytes(big));
    ASSERT_TRUE(setup.LoadFromFile(Path("big.lbl")));
    EXPECT_EQ(setup.Across, 200);
    EXPECT_EQ(setup.Down, 0);
}

TEST_F(LabelFile, DescribeShowsSevenLinesAndUserDefinedForNoTemplate)
{
    TZintLabelFile setup;
    setup.Assign(Unusual());
    setup.LabelWidth = 2.625;
    setup.SheetHeight = 11;
    EXPECT_EQ(setup.Describe(), "Template........L7160\r# Across........3\r# Down..........7\r"
                                "Label Width.....2.625\"\rLabel Height....1.4961\"\r"
                                "Paper Width.....8.2677\"\rPaper Height....11\"");
    setup.TemplateName.clear();
    EXPECT_TRUE(setup.Describe().startsWith("Template........User Defined\r# Across"));
}

TEST_F(LabelFile, TheBarcodeIsARecordOfItsOwnThatOlderReadersNeverReach)
{
    LabelLayout plain = Unusual();
    LabelLayout coded = plain;
    coded.Barcode = {BarcodeKind::DataMatrix, QStringLiteral("ZIP"), BarcodeCorner::TopLeft};
    const std::string plainBytes = LabelFileBytes(plain);
    const std::string codedBytes = LabelFileBytes(coded);
    // A setup without a barcode is written as before; one with it only adds a record after
    // the first, which a reader without barcodes, stopping at the first record's end, never reads.
    ASSERT_GT(codedBytes.size(), plainBytes.size());
    EXPECT_EQ(codedBytes.substr(0, plainBytes.size()), plainBytes);
    EXPECT_EQ(ParseLabelFile(codedBytes), coded);

    TZintLabelFile written;
    written.Assign(coded);
    written.SaveToFile(Path("Coded.lbl"));
    TZintLabelFile read;
    ASSERT_TRUE(read.LoadFromFile(Path("Coded.lbl")));
    EXPECT_EQ(read.Barcode, coded.Barcode);
    EXPECT_EQ(read.Face().barcode, coded.Barcode);

    // Records a later version adds, lists within them too, are stepped over; the barcode
    // after them still reads. A damaged record ends the reading with the setup intact.
    const std::string later = std::string("\x01\x06\x08"
                                          "envelope"
                                          "\x01\x02\x07\x06\x01x\x00\x09\x00",
                                          20);
    EXPECT_EQ(ParseLabelFile(plainBytes + later + codedBytes.substr(plainBytes.size())), coded);
    EXPECT_EQ(ParseLabelFile(plainBytes + later.substr(0, 14)), plain);
    EXPECT_EQ(ParseLabelFile(codedBytes.substr(0, codedBytes.size() - 2)), plain);
}
