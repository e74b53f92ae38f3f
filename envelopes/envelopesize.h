#pragma once
// The envelope sizes the program prints on, upright as the address is read: the long side
// across. Each has a key that names it in the settings file and on the command line.

#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

struct EnvelopeSize {
    QString key;     // "No10", "DL": the settings section and the command line's name
    QString caption; // "US #10 (4 1/8 x 9 1/2 in)"
    QSizeF inches;   // upright: width is the long side
};

const std::vector<EnvelopeSize>& EnvelopeSizes();

// By key or by the name people use ("#10", "10", "Monarch", "dl"), in either case.
std::optional<EnvelopeSize> FindEnvelopeSize(const QString& name);
