#pragma once
// Copies a fixture table of the shared fixtures folder (its .dbf and .cdx) into a test's
// own folder and makes the copies writable, so a test may change them:
//
//   QTemporaryDir dir;
//   const QString path = CopyFixtureTable("small", dir.path(), "book");   // .../book.dbf
//
// A copy that fails throws, so the test stops there with the reason instead of failing
// later on a missing file. An existing file of the target name is replaced.

#include <QString>

// The fixture's path without extension ("small" gives .../fixtures/xbase/small).
QString FixtureTableBase(const QString& name);

// Gives the path of the copied .dbf; baseName "" keeps the fixture's name.
QString CopyFixtureTable(const QString& name, const QString& folder, const QString& baseName = {});
