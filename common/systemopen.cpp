#include "systemopen.h"

#include <QDesktopServices>

namespace {
std::function<void(const QUrl &)> g_opener;
}

void OpenInSystem(const QUrl &url)
{
    if (g_opener)
        g_opener(url);
    else
        QDesktopServices::openUrl(url);  // nothing is reported when it cannot be opened
}

void SetSystemOpenerForTesting(std::function<void(const QUrl &)> opener)
{
    g_opener = std::move(opener);
}
