#pragma once
// Why a copy out failed, in the user's terms: the disk is full, writing there is not
// permitted, or the file or its folder went away; with the file's name and the system's
// own words.

#include <QString>

enum class CopyFailureKind { DiskFull, NotPermitted, Vanished, Other };

// The kind of failure the system's reason names. The engine and Qt give only the text of
// the system's error, so it is compared with the system's texts for those errors.
CopyFailureKind CopyFailureKindOf(const QString& reason);

// "Error copying to <path> - the disk is full." and the system's reason below it.
QString CopyFailureMessage(const QString& path, const QString& reason);

// The system's text for the error code of the last failed call.
QString SystemReason(int code);
