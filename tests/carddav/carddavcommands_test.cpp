// The File menu's CardDAV items on the program's session.
#include "carddav/passwords.h"
#include "carddav/syncstate.h"
#include "carddav/tcarddavcommands.h"
#include "carddav_test_support.h"
#include "session/addresssession.h"
#include "support/window_menus.h"

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
