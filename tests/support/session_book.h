#pragma once
// An address session for tests of the layers that receive one: a copy of the shared
// fixture's 214-record address file in a temporary folder, opened through the session as
// a layer finds it (deleted records hidden, no filter, ordered by CurrentOrderName).
// Header only, so test programs without a session do not link one.
//
//   SessionBook book;
//   ASSERT_TRUE(book.Open());
//   book.session.Select.values[QueryField::State] = "CA";
//   book.session.ApplyFilter();

#include "session/addresssession.h"
#include "support/fixture_copy.h"

#include <QTemporaryDir>

struct SessionBook {
    SessionBook() : path(CopyFixtureTable(QStringLiteral("small"), dir.path(), QStringLiteral("book"))) {}

    bool Open()
    {
        session.LastOpenedFile = path;
        return session.ReopenFile();
    }

    QTemporaryDir dir;
    QString path;
    AddressSession session;
};
