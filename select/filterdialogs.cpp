#include "select/filterdialogs.h"

#include "platform/programdirectory.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// Filter files may carry the extension in either case; Linux file names tell them apart.
const QString kTypes = QStringLiteral("Filter files (*.FLT *.flt)");

QString realSaveDialog(QWidget* parent, const QString& directory)
{
    // Overwriting is asked about by the caller, in its own words.
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save Filter"),
                                        QDir(directory).filePath(QStringLiteral("*.FLT")), kTypes, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString realOpenDialog(QWidget* parent, const QString& directory)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Restore Filter"), directory, kTypes);
}

// The replacement dialogs, if any, and the folder the save dialog was last left in.
struct DialogState {
    FilterFileChooser saveChooser;
    FilterFileChooser openChooser;
    QString lastSaveDirectory;
};

DialogState& state()
{
    static DialogState dialogs;
    return dialogs;
}

} // namespace

QString ChooseFilterSavePath(QWidget* parent)
{
    const FilterFileChooser& chooser = state().saveChooser;
    QString& last = state().lastSaveDirectory;
    const QString start = last.isEmpty() ? ProgramDirectory() : last;
    const QString path = chooser ? chooser(parent, start) : realSaveDialog(parent, start);
    if (!path.isEmpty())
        last = QFileInfo(path).absolutePath();
    return path;
}

QString ChooseFilterOpenPath(QWidget* parent)
{
    const QString directory = ProgramDirectory();
    const FilterFileChooser& chooser = state().openChooser;
    return chooser ? chooser(parent, directory) : realOpenDialog(parent, directory);
}

void SetFilterSaveChooser(FilterFileChooser chooser)
{
    state().saveChooser = std::move(chooser);
    state().lastSaveDirectory.clear();
}

void SetFilterOpenChooser(FilterFileChooser chooser)
{
    state().openChooser = std::move(chooser);
}
