#pragma once
// The CardDAV password: kept in the desktop's keyring (never in the settings file), or
// for scripts read from a file or the environment. Without a keyring (a server, a
// session without one) the keyring calls end with a message rather than waiting.

#include <QString>
#include <QUrl>

inline constexpr char PasswordVariable[] = "ADDRINA_CARDDAV_PASSWORD";

// The password for user at server: from passwordFile when given (its first line), else
// the environment variable, else the keyring. Empty, with why, when there is none.
QString FindPassword(const QUrl& server, const QString& user, const QString& passwordFile, QString* why);

// Keeps the password in the keyring; false, with why, when there is no keyring.
bool StorePassword(const QUrl& server, const QString& user, const QString& password, QString* why);
