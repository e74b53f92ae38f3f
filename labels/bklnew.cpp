#include "labels/bklnew.h"

#include "labels/dialogrow.h"
#include "platform/help.h"
#include "platform/messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int kHelpTopic = 1050;

QLineEdit* LengthEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1StringView(name));
    edit->setMaxLength(7);
    return edit;
}

QSpinBox* CountSpin(const char* name, int maximum, int value)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(QLatin1StringView(name));
    spin->setRange(1, maximum);
    spin->setValue(value);
    return spin;
}

} // namespace

TLabelEdit::TLabelEdit(const LabelTemplate& sheet, QWidget* parent) : QDialog(parent), values_(sheet)
{
    setObjectName(QStringLiteral("LabelEdit"));
    setWindowTitle(QStringLiteral("User Defined Label Layout"));

    elblHeight = LengthEdit("elblHeight");
    elblwidth = LengthEdit("elblwidth");
    etopmarg = LengthEdit("etopmarg");
    eleftmarg = LengthEdit("eleftmarg");
    eHorizPitch = LengthEdit("eHorizPitch");
    eVertPitch = LengthEdit("eVertPitch");
    esheetwidth = LengthEdit("esheetwidth");
    esheetdepth = LengthEdit("esheetdepth");
    lengthEdits_ = {elblHeight, elblwidth, etopmarg, eleftmarg, eHorizPitch, eVertPitch, esheetwidth, esheetdepth};
    enbracross = CountSpin("enbracross", 10, values_.Across);
    enbrdown = CountSpin("enbrdown", 30, values_.Down);

    eLabelShape = new QComboBox;
    eLabelShape->setObjectName(QStringLiteral("eLabelShape"));
    for (const char* caption : kShapeCaptions)
        eLabelShape->addItem(QLatin1StringView(caption));
    eLabelShape->setCurrentIndex(ShapeIndex(values_.ShapeCode));

    epapersize = new QComboBox;
    epapersize->setObjectName(QStringLiteral("epapersize"));
    for (const PaperSize& paper : PaperSizes())
        epapersize->addItem(QString::fromUtf8(paper.caption));
    epapersize->setCurrentIndex(-1);

    Inchesbutton = new QRadioButton(QStringLiteral("Use &Inches"));
    Inchesbutton->setObjectName(QStringLiteral("Inchesbutton"));
    Inchesbutton->setChecked(true);
    MMButton = new QRadioButton(QStringLiteral("Use &Millimeters"));
    MMButton->setObjectName(QStringLiteral("MMButton"));

    auto* grid = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {
        {"Label Height", elblHeight},      {"Label Width", elblwidth},
        {"# Across", enbracross},          {"# Down", enbrdown},
        {"Top Margin", etopmarg},          {"Left Margin", eleftmarg},
        {"Horizontal Pitch", eHorizPitch}, {"Vertical Pitch", eVertPitch},
        {"Page Width", esheetwidth},       {"Page Height", esheetdepth},
        {"Paper Size", epapersize},        {"Label Shape", eLabelShape},
    };
    int row = 0;
    for (const auto& [caption, control] : rows) {
        auto* label = new QLabel(QLatin1StringView(caption));
        label->setBuddy(control);
        grid->addWidget(label, row / 2, (row % 2) * 2);
        grid->addWidget(control, row / 2, (row % 2) * 2 + 1);
        ++row;
    }
    auto* units = new QGroupBox(QStringLiteral("Units"));
    auto* unitsRow = new QHBoxLayout(units);
    unitsRow->addWidget(Inchesbutton);
    unitsRow->addWidget(MMButton);

    auto* buttons = new QHBoxLayout;
    QPushButton* ok = DialogButton(buttons, "OkButton", QStringLiteral("Ok"), true);
    QPushButton* cancel = DialogButton(buttons, "CancelButton", QStringLiteral("Cancel"));
    QPushButton* help = DialogButton(buttons, "HelpButton", QStringLiteral("Help"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(units);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    ShowLengths({values_.LabelHeight, values_.LabelWidth, values_.TopMargin, values_.LeftMargin, values_.HorzPitch,
                 values_.VertPitch, values_.SheetWidth, values_.SheetHeight});
    connect(MMButton, &QRadioButton::toggled, this, &TLabelEdit::UnitsChanged);
    connect(elblwidth, &QLineEdit::editingFinished, this, [this] { RaisePitch(elblwidth, eHorizPitch); });
    connect(elblHeight, &QLineEdit::editingFinished, this, [this] { RaisePitch(elblHeight, eVertPitch); });
    connect(epapersize, &QComboBox::activated, this, &TLabelEdit::epapersizeChange);
    connect(ok, &QPushButton::clicked, this, &TLabelEdit::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [] { ShowHelpTopic(kHelpTopic); });
    SetHelpContext(this, kHelpTopic);
}

void TLabelEdit::ShowLengths(const std::array<double, 8>& lengths)
{
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        QLineEdit* edit = lengthEdits_[i];
        const QValidator* previous = edit->validator();
        if (millimetres_)
            edit->setValidator(new QIntValidator(0, 999, edit));
        else
            edit->setValidator(new QRegularExpressionValidator(LengthPattern(), edit));
        delete previous;
        edit->setText(FormatLength(lengths[i], millimetres_));
    }
}

std::array<double, 8> TLabelEdit::ShownLengths() const
{
    std::array<double, 8> lengths{};
    for (std::size_t i = 0; i < lengths.size(); ++i)
        lengths[i] = ParseLength(lengthEdits_[i]->text());
    return lengths;
}

void TLabelEdit::UnitsChanged(bool millimetres)
{
    if (millimetres == millimetres_)
        return;
    std::array<double, 8> lengths = ShownLengths();
    for (double& length : lengths)
        length = millimetres ? length * kMillimetresPerInch : length / kMillimetresPerInch;
    millimetres_ = millimetres;
    ShowLengths(lengths);
}

// A pitch smaller than the label it steps over is raised to the label's size.
void TLabelEdit::RaisePitch(QLineEdit* size, QLineEdit* pitch)
{
    if (ParseLength(pitch->text()) < ParseLength(size->text()))
        pitch->setText(size->text());
}

void TLabelEdit::epapersizeChange(int index)
{
    if (index < 0 || index >= static_cast<int>(PaperSizes().size()))
        return;
    const PaperSize& paper = PaperSizes()[static_cast<std::size_t>(index)];
    if (paper.widthInches == 0)
        return;
    esheetwidth->setText(FormatLength(millimetres_ ? paper.widthMillimetres : paper.widthInches, millimetres_));
    esheetdepth->setText(FormatLength(millimetres_ ? paper.heightMillimetres : paper.heightInches, millimetres_));
}

void TLabelEdit::OkButtonClick()
{
    std::array<double, 8> l = ShownLengths();
    if (millimetres_)
        for (double& length : l)
            length = MillimetresToInches(length);
    LabelTemplate v = values_;
    v.LabelHeight = l[0];
    v.LabelWidth = l[1];
    v.TopMargin = l[2];
    v.LeftMargin = l[3];
    v.HorzPitch = l[4];
    v.VertPitch = l[5];
    v.SheetWidth = l[6];
    v.SheetHeight = l[7];
    v.Across = enbracross->value();
    v.Down = enbrdown->value();
    if (epapersize->currentIndex() >= 0)
        v.PaperCode = QLatin1StringView(PaperSizes()[static_cast<std::size_t>(epapersize->currentIndex())].paperCode);
    v.ShapeCode = QLatin1StringView(kShapeCodes[static_cast<std::size_t>(std::max(0, eLabelShape->currentIndex()))]);
    if (const auto message = ValidLabel(v)) {
        ShowInformation(*message);
        return;
    }
    values_ = v;
    accept();
}
