#include "exchange/copyouttarget.h"

#include "platform/messages.h"
#include "platform/rememberedfolder.h"

#include <QDir>
#include <QFileInfo>

CopyOutFileType CopyOutFileTypeOf(CopyOutKind kind)
{
    switch (kind) {
    case CopyOutKind::Dbf:
        return {QStringLiteral("DBF"), QStringLiteral("DBF files (*.DBF *.dbf)")};
    case CopyOutKind::Ascii:
        return {QStringLiteral("TXT"), QStringLiteral("Text files (*.TXT *.txt)")};
    case CopyOutKind::Csv:
        return {QStringLiteral("CSV"), QStringLiteral("CSV files (*.CSV *.csv)")};
    case CopyOutKind::VCard:
        return {QStringLiteral("VCF"), QStringLiteral("vCard files (*.VCF *.vcf)")};
    }
    return {};
}

namespace {

QString FolderKey(CopyOutKind kind)
{
    switch (kind) {
    case CopyOutKind::Dbf:
        return QStringLiteral("DbfFolder");
    case CopyOutKind::Ascii:
        return QStringLiteral("TextFolder");
    case CopyOutKind::Csv:
        return QStringLiteral("CsvFolder");
    case CopyOutKind::VCard:
        return QStringLiteral("VCardFolder");
    }
    return {};
}

bool SamePath(const QString& a, const QString& b)
{
    return QFileInfo(a).absoluteFilePath().compare(QFileInfo(b).absoluteFilePath(), Qt::CaseInsensitive) == 0;
}

// The open file's structural index would be lost as surely as the file itself.
QString IndexOf(const QString& tablePath)
{
    const QFileInfo info(tablePath);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".CDX");
}

} // namespace

QString ProposedCopyOutPath(CopyOutKind kind, const QString& openFilePath)
{
    const QString folder = RememberedFolder(FolderKey(kind));
    QString name = QFileInfo(openFilePath).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("Export");
    return QDir(folder).filePath(name + u'.' + CopyOutFileTypeOf(kind).extension.toLower());
}

void RememberCopyOutFolder(CopyOutKind kind, const QString& target)
{
    RememberFolder(FolderKey(kind), target);
}

QString AcceptCopyOutTarget(CopyOutKind kind, const QString& chosen, const QString& openFilePath)
{
    if (chosen.isEmpty())
        return {};
    if (kind == CopyOutKind::Dbf && QFileInfo(chosen).suffix().toUpper() != QStringLiteral("DBF")) {
        ShowInformation(QStringLiteral("Must have a .DBF extension"));
        return {};
    }
    if (!openFilePath.isEmpty() && (SamePath(chosen, openFilePath) || SamePath(chosen, IndexOf(openFilePath)))) {
        ShowInformation(QStringLiteral("Cannot copy a file to itself!"));
        return {};
    }
    if (QFileInfo::exists(chosen) &&
        !AskYesNoDefaultNo(chosen + QStringLiteral(" already exists.\r\nDo you want to overwrite it?"),
                           QStringLiteral("Warning!")))
        return {};
    return chosen;
}
