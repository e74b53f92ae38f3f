#include "platform/configinfo.h"
#include "platform/configwindow.h"
#include "support/temp_program_dir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(ConfigurationInformation, ReadsSystemFiles)
{
    const QString cpuinfo = "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Xeon(R) CPU @ 2.20GHz\n";
    EXPECT_EQ(ProcValue(cpuinfo, "model name"), "Intel(R) Xeon(R) CPU @ 2.20GHz");
    EXPECT_EQ(ProcValue(cpuinfo, "model"), "") << "a key is matched whole";
    const QString meminfo = "MemTotal:       16318808 kB\nMemFree:         1234 kB\n";
    EXPECT_EQ(MemorySize(ProcValue(meminfo, "MemTotal")), "15936 MB");
    EXPECT_EQ(MemorySize("lots"), "lots");
}

TEST(ConfigurationInformation, NamesTheLanguageEvenWithoutALocale)
{
    EXPECT_EQ(LocaleDescription(QLocale::c()), "C (no locale set)");
    EXPECT_EQ(LocaleDescription(QLocale(QLocale::German, QLocale::Germany)), "de_DE (Deutsch, Deutschland)");
    const QString text = ConfigurationText(GatherConfiguration());
    EXPECT_TRUE(text.contains("  Language: en_US (American English, United States)\n")) << text.toStdString();
    EXPECT_FALSE(text.contains(" ()"));
}

TEST(ConfigurationInformation, DescribesThisMachineAndCopiesIt)
{
    TempProgramDirectory dir;
    TConfigInformation window;
    const QString text = window.InfoText->toPlainText();
    for (const QString& expected :
         {QString("Addrina 1.2c"), QString("Qt version: ") + qVersion(), "Kernel: linux " + QSysInfo::kernelVersion(),
          "Settings file: " + dir.File("ADR.ini"), QString("Record dates: m/d/yyyy"), QString("Printers\n"),
          QString("Processors: %1").arg(QThread::idealThreadCount())})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n" << text.toStdString();
    const QScreen* screen = QGuiApplication::primaryScreen();
    EXPECT_TRUE(text.contains(QString("%1 x %2 pixels").arg(screen->size().width()).arg(screen->size().height())));
    EXPECT_FALSE(text.contains("Model: unknown"));
    EXPECT_FALSE(text.contains("Total: unknown"));

    QGuiApplication::clipboard()->clear();
    window.CopyButton->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
}

} // namespace
