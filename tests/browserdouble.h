#pragma once
// A stand-in for the embedded browser: the test sets the page it "shows" (title, forms
// with named fields) and fires DocumentComplete on demand; the double records what the
// program did to it (navigations, stops, values typed, forms sent).
#include "browser.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QWidget>
#include <QString>
#include <QStringList>

namespace testsupport {

class BrowserDouble : public Browser {
public:
    struct PageField {
        PageField(const QString &fieldName = QString(), bool isTextInput = true)
            : name(fieldName), textInput(isTextInput) {}
        QString name;
        bool textInput = true;  // false: an element of that name that is not a text input
        QString value;
    };
    struct PageForm {
        PageForm(const QString &formName = QString(), const QList<PageField> &formFields = {},
                 bool isAForm = true)
            : name(formName), fields(formFields), isForm(isAForm) {}
        QString name;
        QList<PageField> fields;
        bool isForm = true;  // false: an element of that name that is not a form
    };
    struct ValueSet {
        QString form;
        QString field;
        QString value;
    };
    struct Submission {
        QString form;
        int formIndex = -1;  // which of the page's forms
        QMap<QString, QString> values;  // the form's fields as they were sent
    };

    using Browser::Browser;

    // The page shown from now on.
    bool hasDocument = false;
    QString title;
    QList<PageForm> forms;
    bool submitSucceeds = true;

    // What the program did.
    QStringList navigations;
    int stops = 0;
    QList<ValueSet> valuesSet;
    QList<Submission> submissions;

    void ShowPage(const QString &pageTitle, const QList<PageForm> &pageForms = {})
    {
        hasDocument = true;
        title = pageTitle;
        forms = pageForms;
        m_fields.clear();
    }
    void ClearPage()
    {
        hasDocument = false;
        title.clear();
        forms.clear();
        m_fields.clear();
    }
    // The page (or one of its frames) has finished loading.
    void CompleteDocument() { emit DocumentComplete(); }

    static PageForm SignInForm(const QString &name = QStringLiteral("SignInForm"))
    {
        return PageForm{name, {PageField{QStringLiteral("userid")}, PageField{QStringLiteral("pass")}}};
    }
    static PageForm BidForm() { return PageForm{QStringLiteral("PlaceBid"), {}}; }

    void Navigate(const QString &url) override { navigations.append(url); }
    void Stop() override { ++stops; }
    bool HasDocument() override { return hasDocument; }
    QString Title() override { return hasDocument ? title : QString(); }
    int Form(const QString &name) override
    {
        if (!hasDocument)
            return -1;
        for (int i = 0; i < forms.size(); ++i) {
            if (forms[i].name == name)
                return forms[i].isForm ? i : -1;
        }
        return -1;
    }
    int TextField(int form, const QString &name) override
    {
        if (form < 0 || form >= forms.size())
            return -1;
        const QList<PageField> &fields = forms[form].fields;
        for (int i = 0; i < fields.size(); ++i) {
            if (fields[i].name == name) {
                if (!fields[i].textInput)
                    return -1;
                m_fields.append({form, i});
                return m_fields.size() - 1;
            }
        }
        return -1;
    }
    bool SetValue(int field, const QString &value) override
    {
        if (field < 0 || field >= m_fields.size())
            return false;
        const auto [form, index] = m_fields[field];
        PageField &f = forms[form].fields[index];
        f.value = value;
        valuesSet.append({forms[form].name, f.name, value});
        return true;
    }
    bool Submit(int form) override
    {
        if (form < 0 || form >= forms.size())
            return false;
        Submission s;
        s.form = forms[form].name;
        s.formIndex = form;
        for (const PageField &f : forms[form].fields)
            s.values.insert(f.name, f.value);
        submissions.append(s);
        return submitSucceeds;
    }

    // A plain widget stands for the page; the window that embeds the browser takes it over.
    QWidget *View() override
    {
        if (!m_view)
            m_view = new QWidget;
        return m_view;
    }
    ~BrowserDouble() override { delete m_view.data(); }

private:
    QList<QPair<int, int>> m_fields;  // handles given out by TextField: (form, field)
    QPointer<QWidget> m_view;
};

}  // namespace testsupport
