#pragma once
// What the main window's help tab, help menu entries and connection-keeper button open.
#include <QString>
#include <QUrl>

// The help tab's release label: "Release: " and the dotted version built into the program.
QString ReleaseLabelText();

// The user guide: "Corvane.html" in the current directory when there is one, otherwise the
// installed copy, otherwise the copy of an uninstalled build.
QUrl HelpFileUrl();

// The connection-keeper program's page, on the host of section "site", key "conkeep".
QUrl ConnectionKeeperUrl();

// Opens the user guide with the user's own viewer; nothing is reported when that fails.
void OpenHelp();
