#include "platform/help.h"
#include "platform/helpwindow.h"
#include "platform/mainwindow.h"
#include "support/recording_help.h"
#include "support/whatsthis_check.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <cstdlib>
#include <gtest/gtest.h>

TEST(Help, EveryPageHasATitleAndContentsComesFirst)
{
    const QVector<HelpTopic> topics = HelpTopics();
    ASSERT_GE(topics.size(), 3);
    EXPECT_EQ(topics.front().name, "index");
    for (const HelpTopic& topic : topics)
        EXPECT_FALSE(topic.title.isEmpty()) << topic.name.toStdString();
}

TEST(Help, KeywordSearchNeedsEveryWordOfTheKey)
{
    const QVector<HelpTopic> topics = {{"1", "Preferences", "carry forward fields"},
                                       {"2", "Labels", "print labels on sheets"}};
    EXPECT_EQ(SearchHelpTopics(topics, "").size(), 2);
    EXPECT_EQ(SearchHelpTopics(topics, "PRINT sheets"), QStringList{"2"});
    EXPECT_EQ(SearchHelpTopics(topics, "preferences carry"), QStringList{"1"});
    EXPECT_TRUE(SearchHelpTopics(topics, "carry sheets").isEmpty());
}

TEST(Help, TheWindowOpensTheTopicOfAContextNumber)
{
    THelpWindow* window = THelpWindow::Open();
    window->ShowTopic(1038);
    auto* view = window->findChild<QTextBrowser*>("TopicView");
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->source().toString().endsWith("/1038.html"));
    EXPECT_TRUE(view->toPlainText().contains("Aggressive Saving Level"));

    // A number without a page of its own shows the contents rather than nothing.
    window->ShowTopic(99999);
    EXPECT_TRUE(view->source().toString().endsWith("/index.html"));

    window->ShowSearch();
    EXPECT_TRUE(window->findChild<QLineEdit*>("SearchEdit")->text().isEmpty());
    window->close();
}

TEST(Help, TheWindowOpensCentredOnTheWindowThatAskedAndOnTheScreen)
{
    QWidget main;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    main.setGeometry(screen.adjusted(10, 10, -30, -20));
    main.show();
    SetMainWindow(&main);
    THelpWindow* window = THelpWindow::Open();
    const QPoint offset = window->frameGeometry().center() - main.frameGeometry().center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
    delete window;

    // Asked from a window at the screen's corner, it still opens wholly on the screen.
    main.setGeometry(screen.right() - 150, screen.bottom() - 100, 140, 90);
    window = THelpWindow::Open();
    EXPECT_TRUE(screen.contains(window->frameGeometry()));
    delete window;
    SetMainWindow(nullptr);
}

TEST(Help, AWindowsContextShowsOnF1)
{
    RecordingHelp help;
    QDialog dialog;
    SetHelpContext(&dialog, 1038);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(help.requests, QStringList{"topic 1038"});
}

TEST(Help, EveryLinkBetweenPagesLeadsToAPage)
{
    QStringList names;
    for (const HelpTopic& topic : HelpTopics())
        names.append(topic.name);
    static const QRegularExpression link(R"(href="([^"]+)\.html")");
    for (const QString& name : names) {
        QFile page(":/help/" + name + ".html");
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        for (auto it = link.globalMatch(html); it.hasNext();)
            EXPECT_TRUE(names.contains(it.next().captured(1))) << name.toStdString();
    }
}

TEST(Help, EveryControlOfTheHelpWindowIsExplained)
{
    THelpWindow* window = THelpWindow::Open();
    EXPECT_EQ(ControlsWithoutWhatsThis(window), "");
    window->close();
}

TEST(Help, EveryContextTheWindowsNameHasAPageWorthReading)
{
    for (int context : {1019, 1021, 1022, 1023, 1024, 1025, 1026, 1029, 1031, 1033, 1034, 1037, 1038,
                        1040, 1047, 1048, 1049, 1050, 1073, 1074, 1075, 1087, 1091, 2097, 40012}) {
        QFile page(QStringLiteral(":/help/%1.html").arg(context));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << context;
        QTextDocument text;
        text.setHtml(QString::fromUtf8(page.readAll()));
        EXPECT_GE(text.toPlainText().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts).size(), 60) << context;
    }
}

TEST(Help, TheContentsLeadToEveryPage)
{
    QFile contents(":/help/index.html");
    ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(contents.readAll());
    for (const HelpTopic& topic : HelpTopics()) {
        if (topic.name != "index") {
            EXPECT_TRUE(html.contains("href=\"" + topic.name + ".html\"")) << topic.name.toStdString();
        }
    }
}

TEST(Help, TheArrowKeysInTheTopicListTurnThePagesAndEscapeCloses)
{
    // A window closed by an earlier test goes first, as the event loop would have seen to.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QPointer<THelpWindow> window = THelpWindow::Open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->ShowTopic(1038);
    auto* list = window->findChild<QListWidget*>("TopicList");
    auto* view = window->findChild<QTextBrowser*>("TopicView");
    const int row = list->currentRow();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->currentRow(), row + 1);
    const QString below = list->currentItem()->data(Qt::UserRole).toString();
    EXPECT_TRUE(view->source().toString().endsWith("/" + below + ".html"));
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_TRUE(view->source().toString().endsWith("/1038.html"));

    QTest::keyClick(list, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(!window || !window->isVisible());
}

TEST(Help, TheImportPagesDescribeTheHeadingBoxAndVCards)
{
    const QVector<HelpTopic> topics = HelpTopics();
    const auto text = [&](const QString& title) {
        for (const HelpTopic& topic : topics)
            if (topic.title == title)
                return topic.words;
        return QString();
    };
    const QString textImport = text("Importing a text file");
    EXPECT_TRUE(textImport.contains("first line holds column names"));
    EXPECT_TRUE(textImport.contains("the line itself is not imported"));
    EXPECT_TRUE(text("Importing a vCard file").contains(".vcf"));
}
