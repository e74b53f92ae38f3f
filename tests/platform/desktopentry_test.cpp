#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QString kDesktop = QStringLiteral(ADDRINA_SOURCE_DIR "/desktop/");

TEST(DesktopEntry, PassesTheDesktopsOwnValidator)
{
    QProcess validate;
    validate.start("desktop-file-validate", {kDesktop + "addrina.desktop"});
    ASSERT_TRUE(validate.waitForFinished(30000)) << "desktop-file-validate (desktop-file-utils) is needed";
    EXPECT_EQ(validate.exitCode(), 0);
    // The validator also prints hints that do not fail it: there are none.
    EXPECT_EQ(validate.readAll().trimmed().toStdString(), "");
}

TEST(DesktopEntry, StartsTheInstalledProgramWithItsIcon)
{
    QSettings entry(kDesktop + "addrina.desktop", QSettings::IniFormat);
    entry.beginGroup("Desktop Entry");
    EXPECT_EQ(entry.value("Exec").toString(), "addrina");
    EXPECT_EQ(entry.value("Icon").toString(), "addrina");
    EXPECT_FALSE(entry.value("GenericName").toString().isEmpty());

    QFile icon(kDesktop + "addrina.svg");
    ASSERT_TRUE(icon.open(QIODevice::ReadOnly));
    QXmlStreamReader svg(&icon);
    ASSERT_TRUE(svg.readNextStartElement());
    EXPECT_EQ(svg.name(), QLatin1String("svg"));
    EXPECT_EQ(svg.attributes().value("viewBox"), QLatin1String("0 0 64 64")) << "scalable";
    while (!svg.atEnd())
        svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
}

} // namespace
