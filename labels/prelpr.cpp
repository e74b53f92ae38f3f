#include "labels/prelpr.h"

#include "labels/dialogrow.h"
#include "platform/help.h"
#include "platform/messages.h"
#include "platform/whatsthis.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1019;
constexpr double kLetterWidth = 8.5;
constexpr double kLetterHeight = 11;

} // namespace

TLabelSheetView::TLabelSheetView(const LabelTemplate& sheet, PositionSelection& selection, QWidget* parent)
    : QWidget(parent), sheet_(sheet), selection_(selection)
{
    setObjectName(QStringLiteral("PagePanel"));
    // Room for a letter page; larger paper widens or lengthens the panel.
    const double ppi = PixelsPerInch();
    setFixedSize(MiniatureLength(std::max(kLetterWidth, sheet.SheetWidth), ppi) + 20,
                 MiniatureLength(std::max(kLetterHeight, sheet.SheetHeight), ppi) + 20);
}

std::optional<std::pair<int, int>> TLabelSheetView::PositionAt(const QPoint& point) const
{
    for (const auto [row, col] : SheetPositions(sheet_))
        if (MiniatureLabel(sheet_, row, col, PixelsPerInch()).contains(point))
            return std::make_pair(row, col);
    return std::nullopt;
}

void TLabelSheetView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(MiniaturePage(sheet_, PixelsPerInch()));
    for (const auto [row, col] : SheetPositions(sheet_)) {
        p.setBrush(PositionSelected(selection_, sheet_, row, col) ? Qt::red : Qt::white);
        p.drawRect(MiniatureLabel(sheet_, row, col, PixelsPerInch()));
    }
}

void TLabelSheetView::mousePressEvent(QMouseEvent* event)
{
    if (const auto position = PositionAt(event->position().toPoint())) {
        bool& entry = selection_[static_cast<std::size_t>(position->first * sheet_.Across + position->second)];
        entry = !entry;
        update();
    }
}

TSelectSpecificLabels::TSelectSpecificLabels(const LabelTemplate& sheet, const PositionSelection& selection, int copies,
                                             const QStringList& printers, int currentPrinter,
                                             std::function<void(int)> selectPrinter, QWidget* parent)
    : QDialog(parent), sheet_(sheet), selection_(selection)
{
    setObjectName(QStringLiteral("SelectSpecificLabels"));
    setWindowTitle(QStringLiteral("Labels Print"));
    PagePanel = new TLabelSheetView(sheet_, selection_);
    PrinterCombo = new QComboBox;
    PrinterCombo->setObjectName(QStringLiteral("PrinterCombo"));
    PrinterCombo->addItems(printers);
    PrinterCombo->setCurrentIndex(currentPrinter);
    NumberOfEach = new QSpinBox;
    NumberOfEach->setObjectName(QStringLiteral("NumberOfEach"));
    NumberOfEach->setRange(1, 99);
    NumberOfEach->setValue(std::max(1, copies));
    auto* copiesLabel = new QLabel(QStringLiteral("Number of each label to print"));
    copiesLabel->setBuddy(NumberOfEach);

    auto* buttons = new QHBoxLayout;
    connect(DialogButton(buttons, "AllButton", QStringLiteral("&All")), &QPushButton::clicked, this,
            [this] { SetAll(true); });
    connect(DialogButton(buttons, "NoneButton", QStringLiteral("&None")), &QPushButton::clicked, this,
            [this] { SetAll(false); });
    buttons->addStretch();
    connect(DialogButton(buttons, "OkButton", QStringLiteral("Ok"), true), &QPushButton::clicked, this,
            &TSelectSpecificLabels::OkButtonClick);
    connect(DialogButton(buttons, "CancelButton", QStringLiteral("Cancel")), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(DialogButton(buttons, "HelpButton", QStringLiteral("Help")), &QPushButton::clicked, this,
            [] { ShowHelpTopic(kHelpTopic); });

    auto* options = new QHBoxLayout;
    options->addWidget(PrinterCombo, 1);
    options->addWidget(copiesLabel);
    options->addWidget(NumberOfEach);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(" Select Labels To Print")));
    layout->addWidget(PagePanel, 0, Qt::AlignHCenter);
    layout->addLayout(options);
    layout->addLayout(buttons);
    SetHelpContext(this, kHelpTopic);
    SetWhatsThis(
        this, {
                  {"PagePanel", "The sheet at one fifth of its size: red labels are printed on, white ones left empty. "
                                "Click a label to switch it."},
                  {"AllButton", "Uses every label of the sheet."},
                  {"NoneButton", "Clears every label, to pick a few by clicking them."},
                  {"PrinterCombo", "The printer the labels go to."},
                  {"NumberOfEach", "How many labels each record gets, side by side, from 1 to 99."},
                  {"OkButton", "Prints with the labels chosen; the choice stays for the next print from this window."},
                  {"CancelButton", "Closes without printing."},
                  {"HelpButton", "Explains choosing the labels of a sheet."},
              });
    connect(PrinterCombo, &QComboBox::currentIndexChanged, this, [selectPrinter](int index) {
        if (selectPrinter && index >= 0)
            selectPrinter(index);
    });
}

int TSelectSpecificLabels::Copies() const
{
    return std::max(1, NumberOfEach->value());
}

int TSelectSpecificLabels::PrinterIndex() const
{
    return PrinterCombo->currentIndex();
}

void TSelectSpecificLabels::SetAll(bool selected)
{
    selection_.fill(selected);
    PagePanel->update();
}

void TSelectSpecificLabels::OkButtonClick()
{
    if (SelectedPositionCount(selection_, sheet_) == 0) {
        ShowInformation(QStringLiteral("You must select at least one card to print"));
        return;
    }
    accept();
}
