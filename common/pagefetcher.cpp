// The utility form's page fetcher: one GET, its diagnostic log and the document's lines.
// The body stays in memory, so no document file is ever left in the working directory.
#include "zazaza.h"

#include "httpget.h"
#include "textfile.h"

#include <QThread>

namespace {

const int kFetchPauseMs = 2000;
int g_fetchPauseMs = kFetchPauseMs;
FetchTiming g_lastTiming;

const QString kSentinel = QStringLiteral("123456789");

HttpGetOptions fetchOptions()
{
    HttpGetOptions options;
    options.agent = QStringLiteral("Mozilla/3.0 (compatible)");
    options.accept = QStringLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    options.maxRelocations = 5;
    options.timeoutMs = 30000;
    return options;
}

}  // namespace

FetchTiming LastFetchTiming()
{
    return g_lastTiming;
}

void SetFetchPauseForTesting(int ms)
{
    g_fetchPauseMs = ms < 0 ? kFetchPauseMs : ms;
}

QString TfrmZazAza::FetchPage(const QString &url)
{
    URLEdit = url;
    DocumentMemo = QStringList{kSentinel};
    // GetButtonClick empties the document before the request and returns only once the
    // request is over, so the sentinel is gone by now and there is nothing to wait for.
    GetButtonClick();
    if (g_fetchPauseMs > 0)
        QThread::msleep(ulong(g_fetchPauseMs));
    return DocumentMemo.join(QStringLiteral("\r\n"));
}

void TfrmZazAza::GetButtonClick()
{
    DisplayMemo.clear();
    DocumentMemo.clear();
    g_lastTiming = FetchTiming();

    HttpGetEvents events;
    events.command = [this](const QString &command) {
        DisplayMemo.append(QStringLiteral("cmd> ") + command);
    };
    events.docBegin = [this](const QString &contentType, const QString &docName) {
        DisplayMemo.append(contentType + QStringLiteral(" => ") + docName);
        DisplayMemo.append(QStringLiteral("Document = ") + docName);
    };
    events.requestDone = [this](int error) {
        DisplayMemo.append(QStringLiteral("RequestDone Error = ") + QString::number(error));
    };

    const HttpGetResult result = HttpGet(URLEdit, fetchOptions(), events);
    if (!result.ok) {
        DisplayMemo.append(QStringLiteral("GET Failed !"));
        DisplayMemo.append(QStringLiteral("StatusCode   = ") + QString::number(result.statusCode));
        DisplayMemo.append(QStringLiteral("ReasonPhrase = ") + result.reasonPhrase);
        return;
    }
    DisplayMemo.append(QStringLiteral("StatusCode = ") + QString::number(result.statusCode));
    for (const QString &line : result.headerLines)
        DisplayMemo.append(QStringLiteral("hdr>") + line);
    DocumentMemo = SplitLines(FromNarrow(result.body));
    g_lastTiming.valid = true;
    g_lastTiming.sent = result.sent;
    g_lastTiming.received = result.received;
}
