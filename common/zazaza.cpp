#include "zazaza.h"

#include "browser.h"
#include "datetext.h"
#include "gridfile.h"
#include "listview.h"
#include "systemopen.h"
#include "texthelpers.h"
#include "textfile.h"

#include <QTreeWidget>

TfrmZazAza *frmZazAza = nullptr;

TfrmZazAza::TfrmZazAza(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmZazAza"));
    hide();
}

void TfrmZazAza::btnSvLstVwTFlClick()
{
    const QList<QByteArray> lines = GridToLines(ListViewRows(ListItems));
    m.clear();
    for (const QByteArray &line : lines)
        m.append(FromNarrow(line));
    WriteWholeFile(ListFileName, JoinLines(lines, true));
}

void TfrmZazAza::btnLdLstVwFrmFlClick()
{
    m.clear();
    ListItems->clear();
    const QList<QByteArray> lines = SplitLines(ReadWholeFile(ListFileName));
    for (const QByteArray &line : lines)
        m.append(FromNarrow(line));
    SetListViewRows(ListItems, LinesToGrid(lines));
}

int TfrmZazAza::IndexOfCaption(const QTreeWidget *items, const QString &caption)
{
    return ::IndexOfCaption(items, caption);
}

double TfrmZazAza::DateTextToDateTime(const QString &text)
{
    return ::DateTextToDateTime(text);
}

QString TfrmZazAza::ExtractSiteTimeText() const
{
    return ::ExtractSiteTimeText(DocumentMemo);
}

QString TfrmZazAza::MonthNameToNumber(const QString &name)
{
    return ::MonthNameToNumber(name);
}

QString TfrmZazAza::DocumentTitle(Browser *bro)
{
    return bro ? bro->Title() : QString();
}

void TfrmZazAza::OpenInSystemBrowser(const QString &url)
{
    OpenInSystem(QUrl(url));
}

bool TfrmZazAza::TextIsNumber(const QString &text)
{
    return ::TextIsNumber(text);
}

QByteArray TfrmZazAza::ScrambleText(const QString &text)
{
    return ::ScrambleText(ToNarrow(text));
}

QString TfrmZazAza::UnscrambleText(const QByteArray &stored)
{
    return FromNarrow(::UnscrambleText(stored));
}
