#pragma once
// The exception that table operations throw when the engine or the caller's data fails:
// a record that cannot be locked, a text the file cannot hold, a text too long for the
// engine. Commands catch it and show their own message.

#include <QString>
#include <stdexcept>

class TableError : public std::runtime_error {
public:
    explicit TableError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

// The engine's message for its most recent failure.
QString EngineError();
