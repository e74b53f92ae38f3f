#pragma once
// One label setup: the sheet geometry (a catalogue template) and the look of the text on
// each label. Lengths are in inches.

#include "barcode/barcodechoice.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

class TValueReader;
class TValueWriter;

inline constexpr double kMillimetresPerInch = 25.4;

// A sheet of labels as the template catalogue describes one.
struct LabelTemplate {
    QString TemplateName; // empty for a user-defined layout
    double LabelHeight = 0;
    double LabelWidth = 0;
    int Across = 0;
    int Down = 0;
    double TopMargin = 0;
    double LeftMargin = 0;
    double HorzPitch = 0;
    double VertPitch = 0;
    double SheetWidth = 0; // as the labels are laid out: the long side when landscape
    double SheetHeight = 0;
    QString PrinterType; // "LJ", "IJ", "DM"
    QString PaperCode;   // "LTR", "LTRL", "A4", "A4L", "A5", "USERP", "USERL"
    QString ShapeCode;   // "RR", "SR", "EL"
    QString MakerCode;   // "AVERY", "NEBS", "USER"
    QString ExtraCode;   // kept and copied, never interpreted
    double HorzGap = 0;  // extra offset of the right half of the columns
    double VertGap = 0;  // extra offset of the lower half of the rows

    bool operator==(const LabelTemplate&) const = default;
};

enum TZipFormatOptions { zoAfterState = 0, zoBeforeCity = 1, zoAfterCountry = 2, zoBeforeCountry = 3 };

// Which parts of the address a label shows, and how.
struct LabelLineOptions {
    bool UseName = true;
    bool UseTitle = true;
    bool UseCompany = true;
    bool UseStreet = true;
    bool UseStreet2 = true;
    bool UseCityState = true;
    bool UseZip = true;
    bool UsePhone = false;
    bool UseCountry = true;
    int ZipOptions = zoAfterState;
    bool UpperCase = false;

    bool operator==(const LabelLineOptions&) const = default;
};

struct LabelLayout : LabelTemplate, LabelLineOptions {
    QString Description; // the setup's name; its file is Description + ".lbl"
    QString FontName = QStringLiteral("Arial");
    int FontSize = 10; // points
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    int FontColor = 0; // 0x00BBGGRR
    int Alignment = 0; // 0 left, 1 right, 2 centre
    double TextMarginLeft = 0.2;
    double TextMarginTop = 0.2;
    double TextMarginRight = 0.2;
    double TextMarginBottom = 0.2;
    bool AdjustFontSizeToFit = false;
    // The address parts (UseName ... UpperCase) come last in the file's first record.
    // The barcode is a record of its own after it, written only when there is one, which
    // readers that know no barcode never look at.
    BarcodeChoice Barcode;

    bool operator==(const LabelLayout&) const = default;
};

// The position selection of a printed sheet has this many entries.
inline constexpr int kMaxLabelPositions = 200;

// A sheet read from a file never offers more positions than printing can select: Across
// is kept within 0..200, and Down is cut to the whole rows that still fit.
void LimitPositions(LabelTemplate& sheet);

// A text a label file cannot hold (a character outside Windows-1252), or a file that
// cannot be written. The message is meant for the user.
class LabelFileError : public std::runtime_error {
public:
    explicit LabelFileError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// The 18 values of a template (fields 2 to 19 of a label file, one catalogue record).
// Writing throws LabelFileError for a text Windows-1252 cannot hold; reading gives
// nothing at the first value that does not fit.
void WriteTemplateValues(TValueWriter& out, const LabelTemplate& sheet);
std::optional<LabelTemplate> ReadTemplateValues(TValueReader& in);

// A whole label file. The stored description is returned as read; the caller names the
// setup after the file.
std::string LabelFileBytes(const LabelLayout& layout);
std::optional<LabelLayout> ParseLabelFile(std::string_view bytes);
