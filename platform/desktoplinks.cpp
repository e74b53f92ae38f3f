#include "platform/desktoplinks.h"

#include <QDesktopServices>
#include <utility>

namespace {

DesktopUrlOpener& installedOpener()
{
    static DesktopUrlOpener opener;
    return opener;
}

} // namespace

bool OpenDesktopUrl(const QUrl& url)
{
    const DesktopUrlOpener& opener = installedOpener();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

DesktopUrlOpener SetDesktopUrlOpener(DesktopUrlOpener opener)
{
    return std::exchange(installedOpener(), std::move(opener));
}
