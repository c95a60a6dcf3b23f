#pragma once
// What the agent does with the site's pages in its browser: recognise the sign-in page,
// sign in, and confirm the bid.
#include <QString>

class Browser;

inline const QString kSignInTitle = QStringLiteral("Sign in or register to continue");
inline const QString kSignInForm = QStringLiteral("SignInForm");
inline const QString kUserIdField = QStringLiteral("userid");
inline const QString kPasswordField = QStringLiteral("pass");
inline const QString kBidForm = QStringLiteral("PlaceBid");

// The whole title, exact letter case.
bool IsSignInTitle(const QString &title);

// Types the user id and password into the first "SignInForm" and sends it. Both fields are
// found before either is set: with one missing nothing is typed or sent. True when sent.
bool SignInOnPage(Browser &bro, const QString &userId, const QString &password);

// Sends the first "PlaceBid" form of the page. True when sent.
bool SubmitBidFormOnPage(Browser &bro);
