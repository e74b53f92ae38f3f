#pragma once
// A main window on a fresh address file in a temporary program directory, with scripted
// message boxes and counted beeps, for the record-editing tests.

#include "app/bkmain.h"
#include "support/modal.h"
#include "support/scripted_messages.h"
#include "support/temp_program_dir.h"

#include <QMap>
#include <QString>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class QAbstractButton;
class TDBEdit;

using RecordValues = QMap<QString, QString>;

// A record from a last and first name plus "FIELD=value;..." pairs.
RecordValues Person(const QString& last, const QString& first, const QString& extra = {});

class RecordWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes DATA/TEST.DBF holding these records, writes the settings, then starts the
    // window on that file and waits until it is open.
    void StartWith(const std::vector<RecordValues>& records, const QString& settings = {});

    TDBEdit* Edit(const char* name) const;
    QAbstractButton* Button(const char* name) const;
    // Whether a button is on screen, once the toolbar has laid itself out again.
    bool Shown(const char* name) const;
    QString Field(const char* name) const;
    // Types into a record edit as the user would.
    void Type(const char* edit, const QString& text);
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The values of the records the window lets the user see, in the current order.
    std::vector<RecordValues> Visible(const QStringList& fields);

    TempProgramDirectory dir;
    ScriptedMessages messages;
    int beeps = 0;
    QString path;
    std::unique_ptr<TAddressMain> window;
};
