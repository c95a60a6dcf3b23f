#include "zazaza.h"

// Placeholder until the page fetcher lands: every request fails.
QString TfrmZazAza::FetchPage(const QString &url)
{
    URLEdit = url;
    GetButtonClick();
    return QString();
}

void TfrmZazAza::GetButtonClick()
{
    DisplayMemo.clear();
    DocumentMemo.clear();
    DisplayMemo.append(QStringLiteral("GET Failed !"));
}
