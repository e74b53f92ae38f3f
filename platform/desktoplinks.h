#pragma once

#include <QUrl>
#include <functional>

// Hands a link to the desktop, which chooses the program (mail program, browser, phone
// program). Gives the desktop's answer: false when nothing could take the link. Every link
// the program opens goes through here, so tests can see them without starting anything.
bool OpenDesktopUrl(const QUrl& url);

using DesktopUrlOpener = std::function<bool(const QUrl&)>;
// Installs an opener and returns the one it replaces; an empty one restores the desktop's.
DesktopUrlOpener SetDesktopUrlOpener(DesktopUrlOpener opener);
