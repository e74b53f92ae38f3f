#pragma once

#include <QStringList>

// A test program can run a piece of itself as a separate process, for tests that need two
// real processes. A test file registers an entry point by name; the test starts its own
// program with ChildArguments(name, ...), whose main runs that entry point instead of the
// tests and exits with its result.
using ChildMain = int (*)(const QStringList& arguments);

struct ChildMainRegistration {
    ChildMainRegistration(const char* name, ChildMain entry);
};

// The arguments that make this test program run the named entry point.
QStringList ChildArguments(const QString& name, const QStringList& arguments = {});

// Called by the test main: runs the entry point that argv asks for, if any.
bool RunChildIfAsked(int argc, char** argv, int* exitCode);
