#pragma once
// "Labels Print": which positions of a sheet receive labels, drawn as a miniature of the
// sheet at one fifth of its size (selected positions red), how many labels each record
// gets, and the printer. A click toggles a position; "&All" and "&None" set them all.
// "Ok" needs at least one of the layout's positions chosen.

#include "labels/labelsheet.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QSpinBox;

// The miniature sheet; a press toggles the first position under the mouse.
class TLabelSheetView : public QWidget {
    Q_OBJECT
public:
    TLabelSheetView(const LabelTemplate& sheet, PositionSelection& selection, QWidget* parent = nullptr);
    // The position whose miniature holds the point, row by row, left to right.
    std::optional<std::pair<int, int>> PositionAt(const QPoint& point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    double PixelsPerInch() const { return logicalDpiX(); }

    const LabelTemplate& sheet_;
    PositionSelection& selection_;
};

class TSelectSpecificLabels : public QDialog {
    Q_OBJECT
public:
    // selectPrinter is called at once whenever the printer choice changes.
    TSelectSpecificLabels(const LabelTemplate& sheet, const PositionSelection& selection, int copies,
                          const QStringList& printers, int currentPrinter, std::function<void(int)> selectPrinter,
                          QWidget* parent = nullptr);

    const PositionSelection& Selection() const { return selection_; }
    // "Number of each label to print", at least 1.
    int Copies() const;
    int PrinterIndex() const;

    TLabelSheetView* PagePanel;
    QComboBox* PrinterCombo;
    QSpinBox* NumberOfEach;

private:
    void SetAll(bool selected);
    void OkButtonClick();

    LabelTemplate sheet_;
    PositionSelection selection_;
};
