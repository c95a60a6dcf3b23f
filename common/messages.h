#pragma once
// Message boxes, the one-line input box and the standard error box, behind one seam so
// that window tests can answer them without a person.
#include <QString>
#include <exception>
#include <functional>

// A modal message box with one OK button, titled with the application's title.
void ShowMessage(const QString &text);
// The standard error box: the error's own text.
void ShowError(const QString &text);
// A modal input box; OK returns the text as edited, Cancel returns the preset text.
QString InputBox(const QString &title, const QString &prompt, const QString &preset);

// Runs a handler's body; an error that escapes it is shown in the standard error box
// instead of being lost, and the program goes on.
void Guarded(const std::function<void()> &body);
// The text of an escaped error, as the error box shows it.
QString ErrorText(const std::exception &error);

struct MessageHooks {
    std::function<void(const QString &)> message;
    std::function<void(const QString &)> error;
    std::function<QString(const QString &title, const QString &prompt, const QString &preset)> input;
};
// Tests route the boxes to these functions; empty hooks restore the real boxes.
void SetMessageHooksForTesting(const MessageHooks &hooks);
