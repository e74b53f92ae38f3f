#include "records_window_support.h"

#include "addressfile/createaddressfile.h"
#include "platform/systembeep.h"
#include "table/dbedit.h"
#include "table/opentablefile.h"
#include "table/tapollo.h"
#include "table/tdatasource.h"

#include <QAbstractButton>
#include <QDir>
#include <QTest>

RecordValues Person(const QString& last, const QString& first, const QString& extra)
{
    RecordValues r{{"LNAME", last}, {"FNAME", first}};
    for (const QString& pair : extra.split(';', Qt::SkipEmptyParts))
        r[pair.section('=', 0, 0)] = pair.section('=', 1);
    return r;
}

void RecordWindowTest::SetUp()
{
    SetBeepHandler([this] { ++beeps; });
}

void RecordWindowTest::TearDown()
{
    if (window)
        window->close();
    window.reset();
    SetBeepHandler({});
}

void RecordWindowTest::StartWith(const std::vector<RecordValues>& records, const QString& settings)
{
    QDir().mkpath(dir.File("DATA"));
    path = dir.File("DATA/TEST.DBF");
    {
        TTable table;
        TDataSource source;
        TApollo apollo;
        source.SetDataSet(&table);
        apollo.SetDataSource(&source);
        ASSERT_TRUE(CreateAddressFile(path, table, apollo));
        ASSERT_TRUE(OpenTableFile(path, table));
        for (const RecordValues& r : records) {
            table.Append();
            table.FieldByName("ISDEL").SetAsBoolean(false);
            for (auto it = r.begin(); it != r.end(); ++it)
                table.FieldByName(it.key()).SetAsString(it.value());
            table.Post();
        }
        table.Close();
    }
    dir.WriteSettingsText("[MRU]\nItem1=" + path + "\n" + settings);
    window = std::make_unique<TAddressMain>();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->Session().TableBook.Active(); }, 5000));
    ASSERT_EQ(messages.Boxes().size(), 0) << qPrintable(messages.Texts().join(" | "));
}

TDBEdit* RecordWindowTest::Edit(const char* name) const
{
    return window->findChild<TDBEdit*>(name);
}

QAbstractButton* RecordWindowTest::Button(const char* name) const
{
    return window->findChild<QAbstractButton*>(name);
}

bool RecordWindowTest::Shown(const char* name) const
{
    QApplication::processEvents();
    return Button(name)->isVisible();
}

QString RecordWindowTest::Field(const char* name) const
{
    return window->Session().TableBook.FieldByName(name).AsString();
}

void RecordWindowTest::Type(const char* edit, const QString& text)
{
    Edit(edit)->setFocus();
    Edit(edit)->selectAll();
    QTest::keyClicks(Edit(edit), text);
}

void RecordWindowTest::Key(int key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

std::vector<RecordValues> RecordWindowTest::Visible(const QStringList& fields)
{
    std::vector<RecordValues> out;
    TTable& t = window->Session().TableBook;
    const long here = window->Session().Apollo1.RecNo();
    for (t.First(); !t.Eof(); t.Next()) {
        RecordValues r;
        for (const QString& f : fields)
            r[f] = t.FieldByName(f).AsString();
        out.push_back(r);
    }
    window->Session().Apollo1.Go(here);
    return out;
}
