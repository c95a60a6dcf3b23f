#include "pageforms.h"

#include "browser.h"

bool IsSignInTitle(const QString &title)
{
    return title == kSignInTitle;
}

bool SignInOnPage(Browser &bro, const QString &userId, const QString &password)
{
    if (!bro.HasDocument())
        return false;
    const int form = bro.Form(kSignInForm);
    if (form < 0)
        return false;
    const int userField = bro.TextField(form, kUserIdField);
    if (userField < 0)
        return false;
    const int passwordField = bro.TextField(form, kPasswordField);
    if (passwordField < 0)
        return false;
    bro.SetValue(userField, userId);
    bro.SetValue(passwordField, password);
    return bro.Submit(form);
}

bool SubmitBidFormOnPage(Browser &bro)
{
    if (!bro.HasDocument())
        return false;
    const int form = bro.Form(kBidForm);
    if (form < 0)
        return false;
    return bro.Submit(form);
}
