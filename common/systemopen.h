#pragma once
// Opening addresses and files with the user's own programs (web browser, help viewer).
#include <QUrl>
#include <functional>

void OpenInSystem(const QUrl &url);

// Tests record what would be opened instead of starting programs; an empty function
// restores the real opener.
void SetSystemOpenerForTesting(std::function<void(const QUrl &)> opener);
