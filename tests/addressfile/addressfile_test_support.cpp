#include "addressfile_test_support.h"
#include "support/fixture_copy.h"

QString AddressFileTest::CopyFixture(const QString& name) const
{
    return CopyFixtureTable(name, programDir_.Path());
}
