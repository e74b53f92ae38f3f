#include "platform/mainwindow.h"
#include "platform/placement.h"
#include "platform/programdirectory.h"
#include "platform/settings.h"
#include "support/child_process.h"
#include "support/temp_program_dir.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <gtest/gtest.h>

TEST(Placement, SectionNamesCarryTheDpiAboveNinetySix)
{
    EXPECT_EQ(PlacementSectionName("TAddressMain", 96), "TAddressMain_Placement");
    EXPECT_EQ(PlacementSectionName("TAddressMain", 72), "TAddressMain_Placement");
    EXPECT_EQ(PlacementSectionName("TAddressMain", 120), "TAddressMain_Placement120");
}

TEST(Placement, BoundsPastTheScreenAreShiftedBack)
{
    // Saved 1600 wide on a screen now 1024 wide: right edge at 1024, left moved by 576.
    EXPECT_EQ(ClampToScreen({0, 50, 1600, 650}, {1024, 768}), (PlacementBounds{-576, 50, 1024, 650}));
    EXPECT_EQ(ClampToScreen({0, 300, 800, 900}, {1024, 768}), (PlacementBounds{0, 168, 800, 768}));
    EXPECT_EQ(ClampToScreen({10, 10, 500, 400}, {1024, 768}), (PlacementBounds{10, 10, 500, 400}));
}

TEST(Placement, CentringTruncatesTowardZero)
{
    EXPECT_EQ(CentredTopLeft({0, 0, 1024, 768}, {301, 201}), QPoint(361, 283));
    EXPECT_EQ(CentredTopLeft({100, 50, 600, 400}, {300, 200}), QPoint(250, 150));
    // A window larger than the area: (800 - 1001) / 2 is -100, not -101.
    EXPECT_EQ(CentredTopLeft({0, 0, 800, 600}, {1001, 601}), QPoint(-100, 0));
}

TEST(Placement, AResizePastTheScreenBringsAPositiveEdgeBackToZero)
{
    EXPECT_EQ(PullBackOnScreen({200, 100, 900, 500}, {1024, 768}), QPoint(0, 100));
    EXPECT_EQ(PullBackOnScreen({200, 400, 500, 500}, {1024, 768}), QPoint(200, 0));
    EXPECT_EQ(PullBackOnScreen({-10, 100, 1100, 500}, {1024, 768}), QPoint(-10, 100));
    EXPECT_EQ(PullBackOnScreen({10, 10, 500, 500}, {1024, 768}), QPoint(10, 10));
}

class TPlacementProbe : public QWidget {
    Q_OBJECT
};

class WindowPlacement : public ::testing::Test {
protected:
    QString Section() const
    {
        const int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch());
        return PlacementSectionName("TPlacementProbe", dpi);
    }
    TempProgramDirectory dir;
    TPlacementProbe window;
};

TEST_F(WindowPlacement, WithoutASavedPlacementTheWindowIsCentredAndTheSectionWritten)
{
    window.resize(300, 200);
    RestorePlacement(&window);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.pos(), CentredTopLeft(screen, {300, 200}));
    EXPECT_EQ(ReadSettingInteger(Section(), "Right", -1), window.x() + 300);
    EXPECT_EQ(ReadSettingInteger(Section(), "Bottom", -1), window.y() + 200);
    EXPECT_FALSE(ReadSettingBool(Section(), "Maximized", true));
}

TEST_F(WindowPlacement, ABottomOfZeroMeansCentreEvenWithOtherValues)
{
    window.resize(300, 200);
    WriteSettingInteger(Section(), "Left", 5);
    WriteSettingInteger(Section(), "Top", 5);
    WriteSettingInteger(Section(), "Right", 205);
    WriteSettingInteger(Section(), "Bottom", 0);
    RestorePlacement(&window);
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(window.pos(), CentredTopLeft(QGuiApplication::primaryScreen()->geometry(), {300, 200}));
}

TEST_F(WindowPlacement, SavedBoundsComeBackAndAreSavedAgainAtOnce)
{
    WriteSettingInteger(Section(), "Left", 20);
    WriteSettingInteger(Section(), "Top", 30);
    WriteSettingInteger(Section(), "Right", 420);
    WriteSettingInteger(Section(), "Bottom", 330);
    RestorePlacement(&window);
    EXPECT_EQ(window.geometry(), QRect(20, 30, 400, 300));
    EXPECT_TRUE(dir.SettingsText().contains("Maximized=0"));

    window.move(40, 50);
    SavePlacement(&window);
    EXPECT_EQ(ReadSettingInteger(Section(), "Left", 0), 40);
    EXPECT_EQ(ReadSettingInteger(Section(), "Bottom", 0), 350);
}

TEST_F(WindowPlacement, AMaximizedWindowKeepsItsNormalBounds)
{
    WriteSettingInteger(Section(), "Left", 20);
    WriteSettingInteger(Section(), "Top", 30);
    WriteSettingInteger(Section(), "Right", 420);
    WriteSettingInteger(Section(), "Bottom", 330);
    WriteSettingBool(Section(), "Maximized", true);
    RestorePlacement(&window);
    window.show();
    EXPECT_TRUE(window.isMaximized());
    SavePlacement(&window);
    EXPECT_EQ(ReadSettingInteger(Section(), "Right", 0), 420);
    EXPECT_TRUE(ReadSettingBool(Section(), "Maximized", false));
}

TEST_F(WindowPlacement, DialogsCentreOnTheMainWindowUnlessItIsMaximized)
{
    QWidget main;
    main.setGeometry(100, 100, 600, 400);
    main.show();
    SetMainWindow(&main);
    QDialog dialog(&main);
    dialog.resize(200, 100);
    CenterDialog(&dialog);
    const QRect frame = main.frameGeometry();
    EXPECT_EQ(dialog.pos(), QPoint(frame.left() + (frame.width() - 200) / 2, frame.top() + (frame.height() - 100) / 2));

    main.showMaximized();
    CenterDialog(&dialog);
    EXPECT_EQ(dialog.pos(), CentredTopLeft(QGuiApplication::primaryScreen()->geometry(), {200, 100}));
    SetMainWindow(nullptr);
}

namespace {

// Restores a window's placement on whatever screen the process was started with, in the
// program directory given, then reports the window's bounds.
int restoreOnThisScreen(const QStringList& arguments)
{
    SetProgramDirectory(arguments.value(0));
    TPlacementProbe window;
    window.resize(300, 200);
    RestorePlacement(&window);
    const QRect g = window.geometry();
    std::printf("%d %d %d %d\n", g.left(), g.top(), g.right() + 1, g.bottom() + 1);
    return 0;
}
const ChildMainRegistration restoreEntry("restore-placement", restoreOnThisScreen);

// Runs restoreOnThisScreen on an offscreen screen of the given size and resolution.
QString restoreOn(const TempProgramDirectory& dir, QSize screen, int dpi)
{
    QFile config(dir.File("screen.json"));
    if (!config.open(QIODevice::WriteOnly))
        return {};
    config.write(QStringLiteral(R"({"screens":[{"name":"s","x":0,"y":0,"width":%1,"height":%2,)"
                                R"("logicalDpi":%3,"logicalBaseDpi":96,"dpr":1}]})")
                     .arg(screen.width())
                     .arg(screen.height())
                     .arg(dpi)
                     .toUtf8());
    config.close();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), ChildArguments("restore-placement", {dir.Path()}));
    if (!child.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(WindowPlacementOnOtherScreens, LargeFontsKeepTheirOwnSectionAndBoundsAreClampedToTheScreen)
{
    TempProgramDirectory dir;
    dir.WriteSettingsText("[TPlacementProbe_Placement]\nLeft=0\nTop=10\nRight=1600\nBottom=410\nMaximized=0\n"
                          "[TPlacementProbe_Placement120]\nLeft=5\nTop=6\nRight=305\nBottom=206\nMaximized=0\n");
    // 1600 wide on a screen 1024 wide: right edge at 1024, left edge moved left by 576.
    EXPECT_EQ(restoreOn(dir, {1024, 768}, 96), "-576 10 1024 410");
    EXPECT_EQ(restoreOn(dir, {1024, 768}, 120), "5 6 305 206");
}

#include "placement_test.moc"

TEST(Placement, AWindowCentredOnItsOwnerStaysWhollyOnTheScreen)
{
    const QRect screen(0, 0, 1000, 700);
    EXPECT_EQ(CentredOnOwnerWithinScreen({100, 100, 600, 400}, {200, 100}, screen), QPoint(300, 250));
    // An owner near the right and bottom edges: pulled back inside.
    EXPECT_EQ(CentredOnOwnerWithinScreen({800, 500, 400, 300}, {720, 480}, screen), QPoint(280, 220));
    // Past the left and top edges.
    EXPECT_EQ(CentredOnOwnerWithinScreen({-300, -200, 200, 100}, {400, 300}, screen), QPoint(0, 0));
    // Larger than the screen: its top left corner stays in sight.
    EXPECT_EQ(CentredOnOwnerWithinScreen({0, 0, 1000, 700}, {1200, 900}, screen), QPoint(0, 0));
}

TEST_F(WindowPlacement, ADialogIsMadeWideEnoughForItsTitle)
{
    QDialog narrow;
    narrow.setWindowTitle(QStringLiteral("Rebuild indexes for A_RATHER_LONG_NAME.DBF"));
    narrow.resize(120, 80);
    CenterDialog(&narrow);
    EXPECT_GE(narrow.width(), TitleBarWidth(narrow.windowTitle()));
    EXPECT_GT(TitleBarWidth(narrow.windowTitle()), TitleBarWidth(QStringLiteral("Search")));
    // A dialog of fixed size keeps it.
    QDialog fixed;
    fixed.setWindowTitle(narrow.windowTitle());
    fixed.setFixedSize(150, 80);
    CenterDialog(&fixed);
    EXPECT_EQ(fixed.width(), 150);
}
