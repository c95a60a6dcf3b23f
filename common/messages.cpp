#include "messages.h"

#include "errors.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {
MessageHooks g_hooks;
}

void ShowMessage(const QString &text)
{
    if (g_hooks.message) {
        g_hooks.message(text);
        return;
    }
    QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(), text);
}

void ShowError(const QString &text)
{
    if (g_hooks.error) {
        g_hooks.error(text);
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), text);
}

QString InputBox(const QString &title, const QString &prompt, const QString &preset)
{
    if (g_hooks.input)
        return g_hooks.input(title, prompt, preset);
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                               QLineEdit::Normal, preset, &ok);
    return ok ? text : preset;
}

QString ErrorText(const std::exception &error)
{
    if (const auto *e = dynamic_cast<const CorvaneError *>(&error))
        return e->message();
    return QString::fromLocal8Bit(error.what());
}

void Guarded(const std::function<void()> &body)
{
    try {
        body();
    } catch (const std::exception &e) {
        ShowError(ErrorText(e));
    }
}

void SetMessageHooksForTesting(const MessageHooks &hooks)
{
    g_hooks = hooks;
}
