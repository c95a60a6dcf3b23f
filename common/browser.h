#pragma once
// The operations that the programs perform on an embedded web browser and the page it shows.
// The Qt WebEngine implementation lives in webbrowser.h; logic tests use a double.
#include <QObject>
#include <QString>

class QWidget;

class Browser : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Browser() override = default;

    // Starts loading the address and returns at once.
    virtual void Navigate(const QString &url) = 0;
    // Stops loading the page being loaded.
    virtual void Stop() = 0;
    // Whether the browser holds an HTML document.
    virtual bool HasDocument() = 0;
    // The document's title; empty when there is no document or no title element.
    virtual QString Title() = 0;
    // The first form of that name (or id) in the document's forms; -1 when there is none.
    virtual int Form(const QString &name) = 0;
    // The first element of that name in the form, taken as a text input; -1 when there is
    // none or it is not a text input.
    virtual int TextField(int form, const QString &name) = 0;
    // Sets a text input's value as if typed.
    virtual bool SetValue(int field, const QString &value) = 0;
    // Sends the form; the browser loads the answer page. False when it could not be sent.
    virtual bool Submit(int form) = 0;
    // The widget that shows the page; null for a browser without one.
    virtual QWidget *View() { return nullptr; }

signals:
    // Each time a document has finished loading.
    void DocumentComplete();
};
