#include "platform/configinfo.h"

#include "platform/identity.h"
#include "platform/programdirectory.h"
#include "platform/recorddate.h"
#include "platform/settings.h"
#include "platform/textfile.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QSysInfo>
#include <QThread>

namespace {

QString OrUnknown(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("unknown") : text;
}

ConfigSection Program()
{
    return {QStringLiteral("Program"),
            {{QStringLiteral("Version"), ProductName() + QLatin1Char(' ') + ProductVersion()},
             {QStringLiteral("Qt version"), QString::fromLatin1(qVersion())},
             {QStringLiteral("Program folder"), ProgramDirectory()},
             {QStringLiteral("Settings file"), SettingsFilePath()}}};
}

ConfigSection System()
{
    return {QStringLiteral("System"),
            {{QStringLiteral("Distribution"), QSysInfo::prettyProductName()},
             {QStringLiteral("Kernel"), QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()},
             {QStringLiteral("Desktop"), OrUnknown(qEnvironmentVariable("XDG_CURRENT_DESKTOP"))},
             {QStringLiteral("Window system"), QGuiApplication::platformName()}}};
}

ConfigSection Processor()
{
    const QString cpuinfo = ReadTextFile(QStringLiteral("/proc/cpuinfo"));
    return {QStringLiteral("Processor"),
            {{QStringLiteral("Model"), OrUnknown(ProcValue(cpuinfo, QStringLiteral("model name")))},
             {QStringLiteral("Architecture"), QSysInfo::currentCpuArchitecture()},
             {QStringLiteral("Processors"), QString::number(QThread::idealThreadCount())}}};
}

ConfigSection Memory()
{
    const QString meminfo = ReadTextFile(QStringLiteral("/proc/meminfo"));
    return {QStringLiteral("Memory"),
            {{QStringLiteral("Total"), OrUnknown(MemorySize(ProcValue(meminfo, QStringLiteral("MemTotal"))))},
             {QStringLiteral("Available"), OrUnknown(MemorySize(ProcValue(meminfo, QStringLiteral("MemAvailable"))))}}};
}

ConfigSection Screens()
{
    ConfigSection section{QStringLiteral("Display"), {}};
    const QList<QScreen*> screens = QGuiApplication::screens();
    section.lines.append({QStringLiteral("Screens"), QString::number(screens.size())});
    for (QScreen* screen : screens) {
        const QString primary = screen == QGuiApplication::primaryScreen() ? QStringLiteral(", primary") : QString();
        section.lines.append({screen->name().isEmpty() ? QStringLiteral("Screen") : screen->name(),
                              QStringLiteral("%1 x %2 pixels, %3 bits, %4 dots per inch (physically %5)%6")
                                  .arg(screen->size().width())
                                  .arg(screen->size().height())
                                  .arg(screen->depth())
                                  .arg(qRound(screen->logicalDotsPerInch()))
                                  .arg(qRound(screen->physicalDotsPerInch()))
                                  .arg(primary)});
    }
    return section;
}

ConfigSection Language()
{
    const QLocale locale;
    return {QStringLiteral("Language"),
            {{QStringLiteral("Language"), LocaleDescription(locale)},
             {QStringLiteral("System language"), LocaleDescription(QLocale::system())},
             {QStringLiteral("Record dates"), DisplayDateFormat()},
             {QStringLiteral("Short date format"), locale.dateFormat(QLocale::ShortFormat)},
             {QStringLiteral("Long date format"), locale.dateFormat(QLocale::LongFormat)},
             {QStringLiteral("Time format"), locale.timeFormat(QLocale::ShortFormat)}}};
}

ConfigSection Printers()
{
    ConfigSection section{QStringLiteral("Printers"), {}};
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty())
        section.lines.append({QStringLiteral("Installed printers"), QStringLiteral("none")});
    for (const QPrinterInfo& printer : printers) {
        QString driver = printer.makeAndModel().isEmpty() ? QStringLiteral("driver unknown") : printer.makeAndModel();
        if (printer.printerName() == defaultName)
            driver += QStringLiteral(" (default)");
        section.lines.append({printer.printerName(), driver});
    }
    section.lines.append(
        {QStringLiteral("Default printer"), defaultName.isEmpty() ? QStringLiteral("none") : defaultName});
    return section;
}

} // namespace

QString LocaleDescription(const QLocale& locale)
{
    if (locale.language() == QLocale::C)
        return QStringLiteral("C (no locale set)");
    QString native = locale.nativeLanguageName();
    if (!locale.nativeTerritoryName().isEmpty())
        native += QStringLiteral(", ") + locale.nativeTerritoryName();
    return locale.name() + QStringLiteral(" (") + native + QLatin1Char(')');
}

QVector<ConfigSection> GatherConfiguration()
{
    return {Program(), System(), Processor(), Memory(), Screens(), Language(), Printers()};
}

QString ConfigurationText(const QVector<ConfigSection>& sections)
{
    QStringList text;
    for (const ConfigSection& section : sections) {
        if (!text.isEmpty())
            text.append(QString());
        text.append(section.title);
        for (const auto& [name, value] : section.lines)
            text.append(QStringLiteral("  ") + name + QStringLiteral(": ") + value);
    }
    return text.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString ProcValue(const QString& text, const QString& key)
{
    const QRegularExpression line(QStringLiteral("^") + QRegularExpression::escape(key) +
                                      QStringLiteral("\\s*:\\s*(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(text).captured(1).trimmed();
}

QString MemorySize(const QString& kilobytes)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+) kB$"));
    const QRegularExpressionMatch m = form.match(kilobytes);
    return m.hasMatch() ? QStringLiteral("%1 MB").arg(m.captured(1).toLongLong() / 1024) : kilobytes;
}
