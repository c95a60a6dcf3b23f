#pragma once
// The embedded browser on Qt WebEngine. The page's document is reached through short
// scripts run in a world of their own (the page's scripts cannot see or change them);
// each operation waits for its script's answer in a local event loop.
#include "browser.h"

#include <QVariant>

class QWebEnginePage;
class QWebEngineView;
class QWidget;

class WebBrowser : public Browser {
    Q_OBJECT
public:
    explicit WebBrowser(QWidget *parentWidget = nullptr);
    ~WebBrowser() override;

    void Navigate(const QString &url) override;
    void Stop() override;
    bool HasDocument() override;
    QString Title() override;
    int Form(const QString &name) override;
    int TextField(int form, const QString &name) override;
    bool SetValue(int field, const QString &value) override;
    bool Submit(int form) override;
    QWidget *View() override;

    QWebEnginePage *Page() const;

private:
    QVariant Evaluate(const QString &script);

    QWebEngineView *m_view;
    bool m_navigated = false;
};
