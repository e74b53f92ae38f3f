#include "exchange_test_support.h"

#include "addressfile/createaddressfile.h"
#include "session/addresssession.h"
#include "session/mainmenus.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

namespace {

QByteArray RunPython(const QString& script, const QStringList& arguments)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + arguments);
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return python.readAllStandardOutput();
}

} // namespace

QString ImportTest::NewAddressFile(const QString& name)
{
    const QString path = dir_.File(name + QStringLiteral(".DBF"));
    ImportTrio create;
    EXPECT_TRUE(CreateAddressFile(path, create.table, create.apollo));
    return path;
}

QString ImportTest::WriteFile(const QString& name, const QByteArray& bytes)
{
    const QString path = dir_.File(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

bool OpenInSession(AddressSession& session, const QString& path, const QString& order)
{
    session.LastOpenedFile = path;
    session.CurrentOrderName = order;
    return session.ReopenFile();
}

namespace {

MainMenus WithPreferences(QMenu& file)
{
    MainMenus menus{};
    menus.File1 = &file;
    menus.Prefences1 = file.addAction(QStringLiteral("Pre&ferences"));
    menus.ImportPlace = menus.Prefences1;
    return menus;
}

} // namespace

ImportMenu::ImportMenu(AddressSession& session) : commands(session, WithPreferences(file)) {}

int RowOf(const MatchDialog& match, const QString& label)
{
    for (int row = 0; row < match.Rows().Count(); ++row)
        if (match.Rows().Label(row) == label)
            return row;
    return -1;
}

QString CheckWithXbtool(const QString& path)
{
    QProcess check;
    check.start(QStringLiteral(ADDRINA_BIN_DIR "/xbtool"), {QStringLiteral("check"), path});
    EXPECT_TRUE(check.waitForFinished(60000));
    return QString::fromUtf8(check.readAllStandardOutput() + check.readAllStandardError()).trimmed();
}

QJsonArray ReadWithPython(const QString& path)
{
    static const QString script = QStringLiteral(R"(
import dbf, json, sys
t = dbf.Table(sys.argv[1]); t.open(dbf.READ_ONLY)
rows = []
for r in t:
    row = {'_deleted': dbf.is_deleted(r)}
    for name in t.field_names:
        v = r[name]
        row[name.upper()] = v.rstrip() if isinstance(v, str) else v
    rows.append(row)
print(json.dumps(rows, default=str))
)");
    return QJsonDocument::fromJson(RunPython(script, {path})).array();
}

void CreateWithPython(const QString& path, const QString& specs, const QString& rowsJson, const QString& codepage,
                      const QString& type)
{
    static const QString script = QStringLiteral(R"(
import dbf, json, sys, datetime
t = dbf.Table(sys.argv[1], sys.argv[2], codepage=sys.argv[4], dbf_type=sys.argv[5])
t.open(dbf.READ_WRITE)
for row in json.loads(sys.argv[3]):
    row = [datetime.date.fromisoformat(v[2:]) if isinstance(v, str) and v.startswith('d:') else v for v in row]
    t.append(tuple(row))
t.close()
)");
    RunPython(script, {path, specs, rowsJson, codepage, type});
}
