#pragma once
// The face of one mailing label as a model, apart from any screen: its settings, the
// address lines of the table's current record, and those lines laid out in points
// (1/72 inch) from the label's top left corner. Fonts are measured at a fixed fine
// resolution, so the face comes out the same on the screen, in the preview, on the
// printer and in a PDF, whatever the screen's resolution.
//
//   LabelFace face;
//   face.style = setup.Face();
//   face.SetDataTable(&table);
//   face.BuildLines();                   // once per printed label
//   DrawFace(face.Layout(), output);     // see faceoutput.h

#include "barcode/barcodechoice.h"
#include "barcode/intelligentmail.h"
#include "labels/facegeometry.h"
#include "labels/facemeasure.h"
#include "labels/labellayout.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QSizeF>
#include <QStringList>
#include <memory>
#include <vector>

class TTable;

enum TLabelShapeType { lsRectangle = 0, lsRoundRect = 1, lsEllipse = 2 };
enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

// What a label setup decides about a face.
struct FaceStyle {
    QSizeF size{2.625, 1}; // the label, inches
    TLabelShapeType shape = lsRoundRect;
    // The label text's font; its whole point size is what the label file keeps.
    QFont font{QStringLiteral("Arial"), 10};
    QColor fontColor = Qt::black;
    int alignment = taLeftJustify;
    LabelLineOptions options;
    // Text margins inside the label, inches.
    double marginTop = 0.2;
    double marginLeft = 0.2;
    double marginBottom = 0.2;
    double marginRight = 0.2;
    bool adjustFontSizeToFit = false;
    // A barcode in a corner of the label, beside the address lines (see barcodeplacement.h).
    BarcodeChoice barcode;
    IntelligentMailSettings mail; // read from ADR.ini when the barcode is Intelligent Mail

    bool operator==(const FaceStyle&) const = default;
    // The text rectangle in points, less the barcode's corner when there is one.
    FaceRect TextRect() const;
};

// One line of a laid-out face, in points from the label's top left corner: where its text
// starts, and the rectangle it is cut to (the text rectangle's width, the line's height).
struct FaceText {
    QPointF topLeft;
    QRectF clip;
    QString text;
};

struct FaceLayout {
    ReportFont font; // at the size the fit chose
    std::vector<FaceText> lines;
    FaceLines count;
    // The barcode's filled rectangles in points, or why it was left out.
    std::vector<QRectF> bars;
    QString barcodeRefusal;
};

class LabelFace {
public:
    FaceStyle style;

    TTable* DataTable() const { return table_; }
    void SetDataTable(TTable* table) { table_ = table; }
    // Composes the lines and the barcode's data from the table's current record now.
    void BuildLines();
    const QStringList& Lines() const { return lines_; }
    void SetLines(const QStringList& lines) { lines_ = lines; }

    // The lines laid out with the style: the font fitted when asked, each line placed, those
    // that do not fit left out, and the barcode drawn in its corner or refused.
    FaceLayout Layout();

private:
    void layBarcode(FaceLayout& layout) const;
    // Fonts measured so far; printing uses one or two sizes over and over.
    FaceMeasure& measure(const ReportFont& font);

    TTable* table_ = nullptr;
    QStringList lines_;
    QByteArray barcodeData_;
    QString barcodeProblem_; // why the record gives no barcode data
    std::vector<std::pair<ReportFont, std::unique_ptr<FaceMeasure>>> measures_;
};
