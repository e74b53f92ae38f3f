#include "select/filterdialogs.h"

#include "platform/programdirectory.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

// Filter files may carry the extension in either case; Linux file names tell them apart.
const QString kTypes = QStringLiteral("Filter files (*.FLT *.flt)");

QString realSaveDialog(QWidget* parent, const QString& directory)
{
    // Overwriting is asked about by the caller, in its own words.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Filter"), directory, kTypes, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString realOpenDialog(QWidget* parent, const QString& directory)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Restore Filter"), directory, kTypes);
}

FilterFileChooser& saveChooser()
{
    static FilterFileChooser chooser;
    return chooser;
}

FilterFileChooser& openChooser()
{
    static FilterFileChooser chooser;
    return chooser;
}

QString& lastSaveDirectory()
{
    static QString directory;
    return directory;
}

} // namespace

QString ChooseFilterSavePath(QWidget* parent)
{
    QString& last = lastSaveDirectory();
    const QString start = last.isEmpty() ? ProgramDirectory() : last;
    const QString path = saveChooser() ? saveChooser()(parent, start) : realSaveDialog(parent, start);
    if (!path.isEmpty())
        last = QFileInfo(path).absolutePath();
    return path;
}

QString ChooseFilterOpenPath(QWidget* parent)
{
    const QString directory = ProgramDirectory();
    return openChooser() ? openChooser()(parent, directory) : realOpenDialog(parent, directory);
}

void SetFilterSaveChooser(FilterFileChooser chooser)
{
    saveChooser() = std::move(chooser);
}

void SetFilterOpenChooser(FilterFileChooser chooser)
{
    openChooser() = std::move(chooser);
}
