#pragma once

#include <QPair>
#include <QString>
#include <QVector>

class QLocale;

// What a support request needs to know about this machine: the program, the system, the
// processor, memory, displays, language, the date and time formats, the printers.
struct ConfigSection {
    QString title;
    QVector<QPair<QString, QString>> lines; // name, value
};

QVector<ConfigSection> GatherConfiguration();

// Plain text: each section's title, then "  name: value" lines, a blank line between sections.
QString ConfigurationText(const QVector<ConfigSection>& sections);

// A locale as the Language lines show it: "de_DE (Deutsch, Deutschland)", or
// "C (no locale set)" for the C locale, which names no language.
QString LocaleDescription(const QLocale& locale);

// The value of "key" in a text of "key: value" lines such as /proc/cpuinfo or /proc/meminfo;
// empty when it is not there.
QString ProcValue(const QString& text, const QString& key);
// A /proc/meminfo size ("16318808 kB") in whole megabytes ("15936 MB"); the text unchanged
// when it is not in that form.
QString MemorySize(const QString& kilobytes);
