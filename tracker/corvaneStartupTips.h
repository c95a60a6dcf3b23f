#pragma once
// The tip-of-the-day window. The rotation lives in the settings file ("nxtTip" names the
// tip to show next), so each start-up continues where the last one stopped.
#include <QDialog>
#include <QStringList>

class IniFile;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

// The tips in the order of the rotation.
const QStringList &StartupTips();

// The tip shown for a stored "nxtTip": the value itself inside the list; a value beyond the
// list counts round it again and a negative one starts the list over, so a foreign settings
// file still yields a real tip.
int TipIndexFor(int stored);

// The two halves of one step of the rotation: the tip that "nxtTip" names now, and, once it
// is shown, storing the tip after it (after the last tip comes the first). The store raises
// when the file cannot be written; the tip stays shown all the same.
int TipToShow(const IniFile &ini);
void StoreNextTip(IniFile &ini, int shown);

// Stores whether the tips window opens at start-up. Raises when the file cannot be written.
void StoreShowTips(IniFile &ini, bool show);

class TfrmTips : public QDialog {
    Q_OBJECT
public:
    explicit TfrmTips(QWidget *parent = nullptr);

    QLabel *imgTip;
    QLabel *lblDdYKnw;
    QPlainTextEdit *mTip;
    QCheckBox *cbShwTps;
    QPushButton *btnNext;
    QPushButton *btnCls;
    // The tip list; never shown itself, each step copies one entry into mTip.
    QStringList mDbTips;

    // The index of the tip in mTip, -1 before the first step.
    int shownTip() const { return m_shownTip; }

public slots:
    void FormShow();
    void btnNextClick();
    void cbShwTpsClick();
    void btnClsClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowNextTip();

    int m_shownTip = -1;
};

extern TfrmTips *frmTips;
