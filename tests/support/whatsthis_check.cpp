#include "whatsthis_check.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextEdit>

namespace {

bool IsControl(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QCalendarWidget*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w);
}

// A control inside another (a radio button in its group, a calendar's own buttons) is
// explained by the text of the one around it, as the question-mark pointer finds it.
bool Explained(const QWidget* w, const QWidget* window)
{
    for (; w && w != window; w = w->parentWidget())
        if (!w->whatsThis().isEmpty())
            return true;
    return false;
}

} // namespace

std::string ControlsWithoutWhatsThis(const QWidget* window)
{
    QStringList missing;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        // Qt's own helpers (a toolbar's overflow arrow) are not the program's controls.
        if (w->objectName().startsWith(QLatin1String("qt_")) || !IsControl(w) || Explained(w, window))
            continue;
        missing << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    }
    return missing.join(QStringLiteral(", ")).toStdString();
}

int ShownWhatsThisTexts()
{
    int shown = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        shown += w->isVisible() && w->inherits("QWhatsThat"); // the small window Qt shows them in
    return shown;
}
