#pragma once
// The face of one mailing label: the address lines of the table's current record, drawn
// inside the label with the label's font, alignment and text margins, shrunk to fit when
// asked. The design screen shows it at actual size with its shape; printing records it
// as a picture of text only and stretches that onto each position of the sheet.
//
//   TZintLabelPanel face;
//   face.SetDataTable(&table);
//   layout.ApplyToPanel(face);
//   face.BuildLines();                    // once per printed label
//   QPicture picture = face.RenderToPicture();
//
// Setters repaint but do not rebuild the lines: after changing the record or an address
// part, call SetLinesDirty() (the next repaint rebuilds them) or BuildLines().

#include "labels/facegeometry.h"
#include "labels/labellines.h"

#include <QColor>
#include <QFont>
#include <QPicture>
#include <QStringList>
#include <QWidget>
#include <functional>

class QPainter;
class TApollo;
class TTable;

enum TLabelShapeType { lsRectangle = 0, lsRoundRect = 1, lsEllipse = 2 };
enum TAlignment { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };

class TZintLabelPanel : public QWidget {
    Q_OBJECT
public:
    explicit TZintLabelPanel(QWidget* parent = nullptr);

    TTable* DataTable() const { return dataTable_; }
    void SetDataTable(TTable* table);
    // Held for the screens that move through the table; drawing does not use it.
    TApollo* DataApollo() const { return dataApollo_; }
    void SetDataApollo(TApollo* apollo) { dataApollo_ = apollo; }
    bool DrawOutline() const { return drawOutline_; }
    void SetDrawOutline(bool value) { Set(drawOutline_, value); }
    // Set by the print path; the face looks the same either way.
    bool Printing() const { return printing_; }
    void SetPrinting(bool value) { printing_ = value; }
    const std::function<void()>& LabelChangedEvent() const { return labelChanged_; }
    void SetLabelChangedEvent(std::function<void()> handler) { labelChanged_ = std::move(handler); }

    TLabelShapeType Shape() const { return shape_; }
    void SetShape(TLabelShapeType value) { Set(shape_, value); }
    int Alignment() const { return alignment_; }
    void SetAlignment(int value) { Set(alignment_, value); }
    // The label text's font; its point size is what the label file keeps.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& value) { Set(font_, value); }
    QColor FontColor() const { return fontColor_; }
    void SetFontColor(const QColor& value) { Set(fontColor_, value); }

    // The address parts, all at once or one by one.
    const LabelLineOptions& LineOptions() const { return options_; }
    void SetLineOptions(const LabelLineOptions& value) { Set(options_, value); }
    bool UseName() const { return options_.UseName; }
    void SetUseName(bool value) { Set(options_.UseName, value); }
    bool UseTitle() const { return options_.UseTitle; }
    void SetUseTitle(bool value) { Set(options_.UseTitle, value); }
    bool UseCompany() const { return options_.UseCompany; }
    void SetUseCompany(bool value) { Set(options_.UseCompany, value); }
    bool UseStreet() const { return options_.UseStreet; }
    void SetUseStreet(bool value) { Set(options_.UseStreet, value); }
    bool UseStreet2() const { return options_.UseStreet2; }
    void SetUseStreet2(bool value) { Set(options_.UseStreet2, value); }
    bool UseCityState() const { return options_.UseCityState; }
    void SetUseCityState(bool value) { Set(options_.UseCityState, value); }
    bool UseZip() const { return options_.UseZip; }
    void SetUseZip(bool value) { Set(options_.UseZip, value); }
    bool UsePhone() const { return options_.UsePhone; }
    void SetUsePhone(bool value) { Set(options_.UsePhone, value); }
    bool UseCountry() const { return options_.UseCountry; }
    void SetUseCountry(bool value) { Set(options_.UseCountry, value); }
    int ZipOptions() const { return options_.ZipOptions; }
    void SetZipOptions(int value) { Set(options_.ZipOptions, value); }
    bool UpperCase() const { return options_.UpperCase; }
    void SetUpperCase(bool value) { Set(options_.UpperCase, value); }

    // Text margins inside the label, in inches.
    double MarginTop() const { return marginTop_; }
    void SetMarginTop(double value) { Set(marginTop_, value); }
    double MarginLeft() const { return marginLeft_; }
    void SetMarginLeft(double value) { Set(marginLeft_, value); }
    double MarginBottom() const { return marginBottom_; }
    void SetMarginBottom(double value) { Set(marginBottom_, value); }
    double MarginRight() const { return marginRight_; }
    void SetMarginRight(double value) { Set(marginRight_, value); }

    // On screen, the colour around the label's shape.
    QColor BGColor() const { return bgColor_; }
    void SetBGColor(const QColor& value) { Set(bgColor_, value); }
    bool AdjustFontSizeToFit() const { return adjustFontSizeToFit_; }
    void SetAdjustFontSizeToFit(bool value) { Set(adjustFontSizeToFit_, value); }

    // Screen pixels per inch: label lengths become round(PixelsPerInch() x inches).
    double PixelsPerInch() const;

    // Composes the lines from the table's current record now.
    void BuildLines();
    // The record or the address format changed: the next drawing composes anew.
    void SetLinesDirty() { linesDirty_ = true; }
    const QStringList& LabelLines() const { return lines_; }

    // Draws the lines into the text rectangle of a surface: the refresh step, the fit,
    // then each line as placed. Gives how many lines there were and how many were drawn.
    FaceLines DrawLines(QPainter& surface, const FaceRect& rect);
    // The text of the face, in screen pixels, as a picture as large as the control that
    // scales with it; no background, shape or outline.
    QPicture RenderToPicture();
    // What the last drawing (a repaint or a picture) did with the lines.
    FaceLines LastDrawing() const { return lastDrawing_; }
    // What drawing the face on screen would do with the current record's lines.
    FaceLines MeasureLines();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    template <class T>
    void Set(T& member, const T& value)
    {
        if (member == value)
            return;
        member = value;
        update();
    }
    struct Arrangement {
        QFont font;
        int ascent = 0;
        std::vector<PlacedLine> placed;
    };
    void RefreshLines();
    // The font, fitted when asked, and the lines that fit on the surface.
    Arrangement Arrange(const QPaintDevice* surface, const FaceRect& rect) const;
    FaceRect TextRect() const;
    QFont SurfaceFont(int pointSize, const QPaintDevice* surface) const;

    TTable* dataTable_ = nullptr;
    TApollo* dataApollo_ = nullptr;
    bool drawOutline_ = false;
    bool printing_ = false;
    std::function<void()> labelChanged_;
    TLabelShapeType shape_ = lsRoundRect;
    int alignment_ = taLeftJustify;
    QFont font_;
    QColor fontColor_ = Qt::black;
    LabelLineOptions options_;
    double marginTop_ = 0.2;
    double marginLeft_ = 0.2;
    double marginBottom_ = 0.2;
    double marginRight_ = 0.2;
    QColor bgColor_ = QColor(0xC0, 0xC0, 0xC0);
    bool adjustFontSizeToFit_ = false;

    QStringList lines_;
    FaceLines lastDrawing_;
    bool linesDirty_ = true;
    bool painting_ = false;
};
