// The File menu's CardDAV items on the program's session.
#include "carddav/passwords.h"
#include "carddav/syncstate.h"
#include "carddav/tcarddavcommands.h"
#include "carddav/tcarddavsetup.h"
#include "carddav_test_support.h"
#include "session/addresssession.h"
#include "support/modal.h"
#include "support/window_menus.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

TEST_F(CardDavTest, SyncNowSyncsTheOpenFileAndAnOpeningSyncsWhenSetTo)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams")});
    ASSERT_TRUE(Sync(a).error.isEmpty());
    AddRecords(a, {QStringLiteral("Baker")});
    qputenv(PasswordVariable, TestCardDavServer::Password);
    QWidget window;
    AddressSession session;
    TCardDavCommands commands(session, MenusFor(window));
    EXPECT_FALSE(commands.SetupMenu->isEnabled());
    session.LastOpenedFile = a;
    ASSERT_TRUE(session.ReopenFile());
    EXPECT_TRUE(commands.SetupMenu->isEnabled());
    EXPECT_TRUE(commands.SyncNowMenu->isEnabled());
    commands.SyncNowMenuClick();
    EXPECT_EQ(messages_.Texts(), QStringList(QStringLiteral("0 in, 1 out, 0 deleted, 0 conflicts")));
    EXPECT_TRUE(session.FileOpen());
    EXPECT_EQ(server_.StoredCardNames().size(), 2);

    // Set to sync on opening: a change on the server arrives as the file opens.
    SyncState state;
    QString why;
    ASSERT_TRUE(state.Load(SyncState::PathFor(a), &why));
    state.syncOnOpen = true;
    ASSERT_TRUE(state.Save(SyncState::PathFor(a), &why));
    EXPECT_EQ(EditCard(QStringLiteral("Adams"), ";Town;", ";There;"), 201);
    ASSERT_TRUE(session.ReopenFile());
    QTest::qWait(50);
    EXPECT_EQ(messages_.Texts().last(), QStringLiteral("1 in, 0 out, 0 deleted, 0 conflicts"));
    EXPECT_EQ(session.TableBook.FieldByName(QStringLiteral("CITY")).AsString(), QStringLiteral("There"));
    qunsetenv(PasswordVariable);
}

TEST_F(CardDavTest, TheSetupWindowFindsTheAddressBookAndKeepsItBesideTheFile)
{
    const QString a = NewFile(QStringLiteral("A"));
    AddRecords(a, {QStringLiteral("Adams")});
    QWidget window;
    AddressSession session;
    TCardDavCommands commands(session, MenusFor(window));
    session.LastOpenedFile = a;
    ASSERT_TRUE(session.ReopenFile());
    QStringList seen;
    WhenShown<TCardDavSetup>([this, &seen](TCardDavSetup* setup) {
        seen << QString::number(setup->OkButton->isEnabled());
        setup->ServerEdit->setText(server_.Url());
        setup->UserEdit->setText(QString::fromLatin1(TestCardDavServer::User));
        setup->PasswordEdit->setText(QStringLiteral("wrong"));
        setup->FindButton->click();
        seen << setup->StatusLabel->text() << QString::number(setup->OkButton->isEnabled());
        setup->PasswordEdit->setText(QString::fromLatin1(TestCardDavServer::Password));
        setup->FindButton->click();
        seen << setup->BookCombo->currentText() << QString::number(setup->OkButton->isEnabled());
        setup->FirstCombo->setCurrentIndex(int(FirstSync::Local));
        setup->OkButton->click();
    });
    commands.SetupMenuClick();
    EXPECT_EQ(seen, QStringList({QStringLiteral("0"), QStringLiteral("the server refused the user name or password"),
                                 QStringLiteral("0"), QStringLiteral("Book"), QStringLiteral("1")}));
    EXPECT_EQ(messages_.Texts().last(), QStringLiteral("0 in, 1 out, 0 deleted, 0 conflicts"));
    SyncState state;
    QString why;
    ASSERT_TRUE(state.Load(SyncState::PathFor(a), &why)) << why.toStdString();
    EXPECT_EQ(state.collection, QUrl(server_.BookUrl()));
    EXPECT_EQ(state.user, QString::fromLatin1(TestCardDavServer::User));
    QFile stateFile(SyncState::PathFor(a));
    ASSERT_TRUE(stateFile.open(QIODevice::ReadOnly));
    EXPECT_FALSE(stateFile.readAll().contains(TestCardDavServer::Password));
    EXPECT_FALSE(dir_.SettingsText().contains(QLatin1String(TestCardDavServer::Password)));
}
