#include "platform/placement.h"

#include "platform/mainwindow.h"
#include "platform/settings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {

QScreen* screenOf(const QWidget* window)
{
    QScreen* screen = window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

QRect screenArea(const QWidget* window)
{
    QScreen* screen = screenOf(window);
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QString sectionFor(const QWidget* window)
{
    QScreen* screen = screenOf(window);
    // Qt scales high-dpi screens to 96 logical dpi; the scale factor brings back the
    // resolution the desktop is set to, which is what tells large fonts from normal ones.
    const int dpi =
        screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch() * screen->devicePixelRatio())) : 96;
    return PlacementSectionName(QString::fromLatin1(window->metaObject()->className()), dpi);
}

} // namespace

QString PlacementSectionName(const QString& className, int logicalDpi)
{
    QString name = className + QStringLiteral("_Placement");
    if (logicalDpi > 96)
        name += QString::number(logicalDpi);
    return name;
}

PlacementBounds ClampToScreen(PlacementBounds bounds, QSize screen)
{
    if (bounds.right > screen.width()) {
        bounds.left -= bounds.right - screen.width();
        bounds.right = screen.width();
    }
    if (bounds.bottom > screen.height()) {
        bounds.top -= bounds.bottom - screen.height();
        bounds.bottom = screen.height();
    }
    return bounds;
}

QPoint CentredTopLeft(const QRect& area, QSize window)
{
    return {area.left() + (area.width() - window.width()) / 2, area.top() + (area.height() - window.height()) / 2};
}

void RestorePlacement(QWidget* window)
{
    const QString section = sectionFor(window);
    PlacementBounds saved;
    saved.left = ReadSettingInteger(section, QStringLiteral("Left"), 0);
    saved.top = ReadSettingInteger(section, QStringLiteral("Top"), 0);
    saved.right = ReadSettingInteger(section, QStringLiteral("Right"), 0);
    saved.bottom = ReadSettingInteger(section, QStringLiteral("Bottom"), 0);
    const bool maximized = ReadSettingBool(section, QStringLiteral("Maximized"), window->isMaximized());

    if (saved.bottom == 0) {
        CenterDialog(window);
    } else {
        const PlacementBounds b = ClampToScreen(saved, screenArea(window).size());
        window->setGeometry(b.left, b.top, b.right - b.left, b.bottom - b.top);
    }
    if (maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    SavePlacement(window);
}

void SavePlacement(QWidget* window)
{
    const QString section = sectionFor(window);
    const QRect normal = window->isMaximized() || window->isMinimized() ? window->normalGeometry() : window->geometry();
    const bool maximized = window->isMaximized();
    WriteSettingsBatch([&] {
        WriteSettingInteger(section, QStringLiteral("Left"), normal.left());
        WriteSettingInteger(section, QStringLiteral("Top"), normal.top());
        WriteSettingInteger(section, QStringLiteral("Right"), normal.left() + normal.width());
        WriteSettingInteger(section, QStringLiteral("Bottom"), normal.top() + normal.height());
        WriteSettingBool(section, QStringLiteral("Maximized"), maximized);
    });
}

void CenterDialog(QWidget* window)
{
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    QWidget* main = MainWindow();
    const bool onScreen = !main || main == window || main->isMaximized() || !main->isVisible();
    const QRect area = onScreen ? screenArea(window) : main->frameGeometry();
    // A title cut short ("Possi... licate") loses what the window is about.
    const int titleWidth = TitleBarWidth(window->windowTitle());
    if (window->width() < titleWidth && window->maximumWidth() >= titleWidth) {
        window->setMinimumWidth(titleWidth);
        window->resize(titleWidth, window->height());
    }
    window->move(CentredTopLeft(area, window->size()));
    const Qt::WindowFlags flags = window->windowFlags();
    if (flags.testFlag(Qt::WindowMaximizeButtonHint) && !flags.testFlag(Qt::WindowSystemMenuHint))
        window->setWindowFlag(Qt::WindowSystemMenuHint);
}

QPoint PullBackOnScreen(const QRect& window, QSize screen)
{
    QPoint corner = window.topLeft();
    if (window.left() + window.width() > screen.width() && window.left() > 0)
        corner.setX(0);
    if (window.top() + window.height() > screen.height() && window.top() > 0)
        corner.setY(0);
    return corner;
}

int TitleBarWidth(const QString& title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    constexpr int kIconAndButtons = 160;
    return QFontMetrics(font).horizontalAdvance(title) * 11 / 10 + kIconAndButtons;
}

QPoint CentredOnOwnerWithinScreen(const QRect& owner, QSize window, const QRect& screen)
{
    const QPoint centred = CentredTopLeft(owner, window);
    const int x = std::max(screen.left(), std::min(centred.x(), screen.right() + 1 - window.width()));
    const int y = std::max(screen.top(), std::min(centred.y(), screen.bottom() + 1 - window.height()));
    return {x, y};
}
