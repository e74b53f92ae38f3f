#include "addressfile_test_support.h"

#include <QFile>

QString AddressFileTest::CopyFixture(const QString& name) const
{
    const QString from = QStringLiteral(ADDRINA_FIXTURES_DIR "/xbase/") + name;
    const QString to = programDir_.File(name);
    for (const char* ext : {".dbf", ".cdx"}) {
        EXPECT_TRUE(QFile::copy(from + ext, to + ext));
        QFile(to + ext).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    return to + QStringLiteral(".dbf");
}
