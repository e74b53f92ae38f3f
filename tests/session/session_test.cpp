#include "session/addresssession.h"
#include "session/sessionscopes.h"
#include "support/scripted_messages.h"
#include "support/session_book.h"
#include "table/opentablefile.h"
#include "table/tableerror.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <utility>

namespace {

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QObject::connect(&session, &AddressSession::RefreshWanted, [this] { ++refreshes; });
    }

    void Open() { ASSERT_TRUE(book.Open()); }

    QStringList Column(const char* field)
    {
        QStringList values;
        for (session.TableBook.First(); !session.TableBook.Eof(); session.TableBook.Next())
            values << session.TableBook.FieldByName(QLatin1StringView(field)).AsString();
        return values;
    }

    SessionBook book;
    AddressSession& session = book.session;
    const QString& path = book.path;
    QTemporaryDir& dir = book.dir;
    int refreshes = 0;
};

TEST_F(SessionTest, ANewSessionHoldsTheAddressTableClosedAndTheEngineSetAsTheProgramNeedsIt)
{
    EXPECT_FALSE(session.FileOpen());
    EXPECT_EQ(session.MatchCount(), 0);
    EXPECT_EQ(session.DataSourceBook.DataSet(), &session.TableBook);
    EXPECT_EQ(session.Apollo1.Table(), &session.TableBook);
    EXPECT_TRUE(session.TableBook.Exclusive());
    EXPECT_NE(session.TableBook.FindField(QStringLiteral("LNAME")), nullptr);
    EXPECT_NE(session.TableBook.FindField(QStringLiteral("ISDEL")), nullptr);
    EXPECT_TRUE(session.ApolloEnv1.Deleted());
    EXPECT_TRUE(session.ApolloEnv1.Century());
    EXPECT_EQ(session.Window(), nullptr);
}

TEST_F(SessionTest, ReopeningOpensTheLastFileInTheCurrentOrderAtItsFirstRecordAndRefreshes)
{
    session.CurrentOrderName = QStringLiteral("CITY");
    Open();
    EXPECT_TRUE(session.FileOpen());
    EXPECT_EQ(session.CurrentOrderName, QStringLiteral("CITY"));
    EXPECT_EQ(session.Apollo1.IndexOrd(), session.Apollo1.TagArea(QStringLiteral("CITY")));
    EXPECT_EQ(session.GetDatabasePath(), QDir(dir.path()).absolutePath() + QLatin1Char('/'));
    EXPECT_EQ(refreshes, 1);
    // Deleted records stay hidden; the file stands on the lowest city.
    const long shown = session.MatchCount();
    EXPECT_GT(shown, 0);
    const QString first = session.TableBook.FieldByName(QStringLiteral("CITY")).AsString();
    QStringList cities = Column("CITY");
    EXPECT_EQ(cities.size(), shown);
    EXPECT_EQ(first, cities.first());
    for (QString& city : cities)
        city = city.toUpper();
    EXPECT_TRUE(std::is_sorted(cities.begin(), cities.end()));
}

TEST_F(SessionTest, ReopeningWithNothingToOpenOrAFailedOpenGivesFalse)
{
    EXPECT_FALSE(session.ReopenFile());
    EXPECT_EQ(refreshes, 0);
    session.LastOpenedFile = dir.filePath(QStringLiteral("missing.dbf"));
    ScriptedMessages messages;
    messages.Answer(IdOk);
    EXPECT_FALSE(session.ReopenFile());
    EXPECT_EQ(messages.Boxes().size(), 1);
    EXPECT_FALSE(session.FileOpen());
    EXPECT_TRUE(session.LastOpenedFile.isEmpty());
    EXPECT_EQ(refreshes, 1);
}

TEST_F(SessionTest, TheWindowsOwnOpenTakesThePlaceOfThePlainOne)
{
    QString asked;
    session.OpenFile = [&](const QString& file) {
        asked = file;
        return false;
    };
    session.LastOpenedFile = path;
    EXPECT_FALSE(session.ReopenFile());
    EXPECT_EQ(asked, path);
    EXPECT_FALSE(session.FileOpen());
}

TEST_F(SessionTest, TheFilterOfTheSelectionLimitsTheMatchesAndTheOrderFollowsSetCurrentOrder)
{
    Open();
    const long all = session.MatchCount();
    QStringList states = Column("STATE");
    const long expected = states.filter(QRegularExpression(QStringLiteral("^CA"))).size();
    ASSERT_GT(expected, 0);
    ASSERT_LT(expected, all);
    session.Select.values[QueryField::State] = QStringLiteral("CA");
    EXPECT_EQ(session.ApplyFilter(), expected);
    EXPECT_TRUE(session.FilterIsSet());
    EXPECT_FALSE(session.FilterExpression().isEmpty());
    EXPECT_EQ(session.MatchCount(), expected);

    session.SetCurrentOrder(QStringLiteral("ZIP"));
    QStringList zips = Column("ZIP");
    EXPECT_EQ(zips.size(), expected);
    EXPECT_TRUE(std::is_sorted(zips.begin(), zips.end()));
    EXPECT_EQ(session.CurrentOrderName, QStringLiteral("ZIP"));
}

TEST_F(SessionTest, KeepPlacePutsBackRecordOrderAndFilterAfterARunThatChangedThemAll)
{
    Open();
    session.Select.values[QueryField::State] = QStringLiteral("CA");
    session.ApplyFilter();
    session.SetCurrentOrder(QStringLiteral("LNAME"));
    session.TableBook.Next();
    session.TableBook.Next();
    const long recNo = session.Apollo1.RecNo();
    const QString filter = session.Apollo1.DBFilter();
    const int order = session.Apollo1.IndexOrd();
    {
        KeepPlace keep(session);
        EXPECT_EQ(keep.RecNo(), recNo);
        EXPECT_EQ(keep.Filter(), filter);
        EXPECT_TRUE(session.TableBook.ControlsDisabled());
        session.Apollo1.SetOrder(session.Apollo1.TagArea(QStringLiteral("ORG")));
        session.Apollo1.Query(QStringLiteral("Recno()=1"));
        session.Apollo1.SetScope(QStringLiteral("A"), QStringLiteral("B"));
    }
    EXPECT_FALSE(session.TableBook.ControlsDisabled());
    EXPECT_EQ(session.Apollo1.RecNo(), recNo);
    EXPECT_EQ(session.Apollo1.DBFilter(), filter);
    EXPECT_EQ(session.Apollo1.IndexOrd(), order);
    EXPECT_EQ(session.MatchCount(), session.ApplyFilter());
}

TEST_F(SessionTest, KeepPlaceRestoresWhenTheRunFailsAndDoesNothingWithoutAFile)
{
    Open();
    session.TableBook.Last();
    const long recNo = session.Apollo1.RecNo();
    try {
        KeepPlace keep(session);
        session.TableBook.First();
        throw TableError(QStringLiteral("printer gone"));
    } catch (const TableError&) {
    }
    EXPECT_EQ(session.Apollo1.RecNo(), recNo);
    EXPECT_FALSE(session.TableBook.ControlsDisabled());

    session.TableBook.Close();
    {
        KeepPlace keep(session);
        EXPECT_EQ(keep.RecNo(), 0);
    }
    EXPECT_FALSE(session.FileOpen());
    EXPECT_FALSE(session.TableBook.ControlsDisabled());
}

TEST_F(SessionTest, FileClosedGivesTheFileToARunAndReopensItInTheSameOrder)
{
    Open();
    session.SetCurrentOrder(QStringLiteral("ORG"));
    refreshes = 0;
    {
        FileClosed closed(session);
        EXPECT_FALSE(session.FileOpen());
        EXPECT_EQ(closed.Path(), path);
        // The run may open the file itself, exclusively.
        TTable own;
        own.SetExclusive(true);
        EXPECT_TRUE(OpenTableFile(path, own));
    }
    EXPECT_TRUE(session.FileOpen());
    EXPECT_EQ(session.CurrentOrderName, QStringLiteral("ORG"));
    EXPECT_EQ(session.Apollo1.IndexOrd(), session.Apollo1.TagArea(QStringLiteral("ORG")));
    EXPECT_EQ(refreshes, 1);

    session.TableBook.Close();
    {
        FileClosed closed(session);
        EXPECT_TRUE(closed.Path().isEmpty());
    }
    EXPECT_FALSE(session.FileOpen());
    EXPECT_EQ(refreshes, 1);
}

// What the session announces, in order, for the layers' command objects.
class Announcements {
public:
    explicit Announcements(AddressSession& session)
    {
        QObject::connect(&session, &AddressSession::FileOpenChanged,
                         [this](bool open) { heard << (open ? "opened" : "closed"); });
        QObject::connect(&session, &AddressSession::SelectionChanged, [this] { heard << "selection"; });
        QObject::connect(&session, &AddressSession::CurrentRecordChanged, [this] { heard << "record"; });
        QObject::connect(&session, &AddressSession::EditStateChanged, [this](TDataSetState state) {
            heard << (state == TDataSetState::Edit     ? "edit"
                      : state == TDataSetState::Insert ? "insert"
                      : state == TDataSetState::Browse ? "browse"
                                                       : "inactive");
        });
    }
    // What was heard since the last call, in alphabetical order.
    QStringList Take()
    {
        heard.sort();
        return std::exchange(heard, {});
    }
    QStringList heard;
};

TEST_F(SessionTest, AnnouncesOpeningTheSelectionTheRecordAndTheEditStateOnceEach)
{
    Announcements said(session);
    Open();
    EXPECT_EQ(said.Take(), (QStringList{"browse", "opened", "record"}));
    session.TableBook.Next();
    EXPECT_EQ(said.Take(), QStringList{"record"});
    session.TableBook.Edit();
    EXPECT_EQ(said.Take(), QStringList{"edit"});
    session.TableBook.Post();
    EXPECT_EQ(said.Take(), QStringList{"browse"});
    session.TableBook.Insert();
    EXPECT_EQ(said.Take(), (QStringList{"insert", "record"}));
    session.TableBook.Cancel();
    EXPECT_EQ(said.Take(), (QStringList{"browse", "record"}));
    session.Select.values[QueryField::State] = QStringLiteral("CA");
    session.ApplyFilter();
    EXPECT_TRUE(said.Take().contains("selection"));
    session.RefreshWindow();
    EXPECT_EQ(said.Take(), QStringList{}) << "nothing changed since";
    {
        // A run over the records is quiet until the table's controls are back.
        KeepPlace keep(session);
        session.TableBook.Last();
        session.TableBook.Edit();
        session.TableBook.Cancel();
        EXPECT_EQ(said.Take(), QStringList{});
    }
    EXPECT_EQ(said.Take(), QStringList{}) << "back where it was";
    session.TableBook.Close();
    EXPECT_EQ(said.Take(), (QStringList{"closed", "inactive", "record"}));
}

} // namespace
