#pragma once
// The hidden utility form shared by both programs: grid file save and load, the page
// fetcher, the site's date texts, the browser title, outside pages and the text helpers.
// It only carries state between a caller and these operations; the work is done by the
// plain functions it calls.
#include <QStringList>
#include <QWidget>

class Browser;
class QTreeWidget;

class TfrmZazAza : public QWidget {
    Q_OBJECT
public:
    explicit TfrmZazAza(QWidget *parent = nullptr);

    // Grid file: the caller sets both fields before each save or load.
    QString ListFileName;
    QTreeWidget *ListItems = nullptr;
    QStringList m;  // the lines of the file after a save or a load

    // Writes ListItems to ListFileName; raises FileError.
    void btnSvLstVwTFlClick();
    // Replaces the rows of ListItems by those of ListFileName; the list is emptied first,
    // so it stays empty when the file cannot be read. Raises FileError.
    void btnLdLstVwFrmFlClick();
    static int IndexOfCaption(const QTreeWidget *items, const QString &caption);

    // Page fetcher.
    QString URLEdit;
    QStringList DisplayMemo;   // diagnostic log of the last fetch
    QStringList DocumentMemo;  // lines of the last fetched document
    // The document text of the page (lines joined by CR LF), empty when the request failed.
    QString FetchPage(const QString &url);
    void GetButtonClick();

    // Date texts.
    double DateTextToDateTime(const QString &text);
    QString ExtractSiteTimeText() const;  // from DocumentMemo
    QString MonthNameToNumber(const QString &name);

    // Browser helpers.
    QString DocumentTitle(Browser *bro);
    void OpenInSystemBrowser(const QString &url);

    // Text helpers.
    bool TextIsNumber(const QString &text);
    // The stored form is bytes: it need not be valid text in the locale's encoding.
    QByteArray ScrambleText(const QString &text);
    QString UnscrambleText(const QByteArray &stored);
};

// One hidden instance per program.
extern TfrmZazAza *frmZazAza;
