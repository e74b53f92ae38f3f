#include "labels/tzintlabelfile.h"

#include "labels/labelcatalog.h"

#include <QFileInfo>
#include <QSaveFile>

namespace {

QString Inches(double value)
{
    return QString::number(value, 'g', 15) + QLatin1Char('"');
}

// 0x00BBGGRR. Older files may hold one of the system's named colours (top byte set):
// those show as black.
QColor ColorFromStored(int stored)
{
    if (static_cast<unsigned>(stored) > 0xFFFFFFu)
        return Qt::black;
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

int StoredFromColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

} // namespace

QString NameFromPath(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

bool TZintLabelFile::LoadFromFile(const QString& path)
{
    const auto bytes = ReadFileBytes(path);
    if (!bytes)
        return false;
    auto layout = ParseLabelFile(*bytes);
    if (!layout)
        return false;
    layout->Description = NameFromPath(path);
    Assign(*layout);
    return true;
}

void TZintLabelFile::SaveToFile(const QString& path) const
{
    const std::string bytes = LabelFileBytes(*this);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0 ||
        !file.commit())
        throw LabelFileError(QStringLiteral("Cannot write \"%1\": %2").arg(path, file.errorString()));
}

bool TZintLabelFile::LoadTemplate(const QString& catalogPath, const QString& name, bool takeFirst)
{
    for (const LabelTemplate& sheet : ReadCatalog(catalogPath)) {
        if (takeFirst || SameTemplateName(sheet.TemplateName, name)) {
            static_cast<LabelTemplate&>(*this) = sheet;
            return true;
        }
    }
    return false;
}

FaceStyle TZintLabelFile::Face() const
{
    FaceStyle face;
    face.size = QSizeF(LabelWidth, LabelHeight);
    face.shape = ShapeCode == QLatin1StringView("RR") ? lsRoundRect : lsRectangle;
    face.font = QFont(FontName);
    face.font.setPointSize(std::clamp(FontSize, 1, 1000));
    face.font.setBold(FontBold);
    face.font.setItalic(FontItalic);
    face.font.setUnderline(FontUnderline);
    face.fontColor = ColorFromStored(FontColor);
    face.options = *this;
    face.alignment = Alignment;
    face.marginLeft = TextMarginLeft;
    face.marginTop = TextMarginTop;
    face.marginRight = TextMarginRight;
    face.marginBottom = TextMarginBottom;
    face.adjustFontSizeToFit = AdjustFontSizeToFit;
    face.barcode = Barcode;
    if (Barcode.kind == BarcodeKind::IntelligentMail)
        face.mail = ReadIntelligentMailSettings();
    return face;
}

void TZintLabelFile::TakeFace(const FaceStyle& face)
{
    FontName = face.font.family();
    FontSize = face.font.pointSize();
    FontBold = face.font.bold();
    FontItalic = face.font.italic();
    FontUnderline = face.font.underline();
    FontColor = StoredFromColor(face.fontColor);
    static_cast<LabelLineOptions&>(*this) = face.options;
    Alignment = face.alignment;
    TextMarginLeft = face.marginLeft;
    TextMarginTop = face.marginTop;
    TextMarginRight = face.marginRight;
    TextMarginBottom = face.marginBottom;
    AdjustFontSizeToFit = face.adjustFontSizeToFit;
    Barcode = face.barcode;
}

QString TZintLabelFile::Describe() const
{
    const QStringList lines = {
        QStringLiteral("Template........") + (TemplateName.isEmpty() ? QStringLiteral("User Defined") : TemplateName),
        QStringLiteral("# Across........") + QString::number(Across),
        QStringLiteral("# Down..........") + QString::number(Down),
        QStringLiteral("Label Width.....") + Inches(LabelWidth),
        QStringLiteral("Label Height....") + Inches(LabelHeight),
        QStringLiteral("Paper Width.....") + Inches(SheetWidth),
        QStringLiteral("Paper Height....") + Inches(SheetHeight),
    };
    return lines.join(QLatin1Char('\r'));
}
