#include "labels/setupfiles.h"

#include "platform/trim.h"

#include <QDir>
#include <QFile>

namespace {

constexpr int kMaxNewSetupNumber = 9999;
constexpr double kMarginStep = 0.1;

} // namespace

QString SetupFilePath(const QString& labelsDirectory, const QString& description)
{
    return labelsDirectory + TrimBoth(description) + QStringLiteral(".lbl");
}

QString NewSetupDescription(const QString& labelsDirectory)
{
    for (int n = 1; n <= kMaxNewSetupNumber; ++n) {
        const QString name = QStringLiteral("Label #%1").arg(n);
        if (!QFile::exists(SetupFilePath(labelsDirectory, name)))
            return name;
    }
    return QStringLiteral("Label #1");
}

QStringList SetupFiles(const QString& labelsDirectory)
{
    return QDir(labelsDirectory).entryList({QStringLiteral("*.lbl")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

const QStringList& MarginChoices()
{
    static const QStringList choices = {QStringLiteral("None"),     QStringLiteral("0.1 inch"),
                                        QStringLiteral("0.2 inch"), QStringLiteral("0.3 inch"),
                                        QStringLiteral("0.4 inch"), QStringLiteral("0.5 inch")};
    return choices;
}

int MarginChoiceIndex(double inches)
{
    // Compared in tenths, so that 0.3 stored as 0.29999... still shows "0.3 inch".
    const int last = static_cast<int>(MarginChoices().size()) - 1;
    for (int index = 0; index < last; ++index)
        if (inches < (index + 1) * kMarginStep - 1e-9)
            return index;
    return last;
}

double MarginOfChoice(int index)
{
    return index * kMarginStep;
}
