#pragma once
// The job file that the tracker writes before it starts the agent, the acknowledgement file
// that a time-probe run of the agent writes back, and the one way to start the agent.
#include <QByteArray>
#include <QString>

namespace jobfiles {

inline const QString kJobFile = QStringLiteral("BID.TDL");
inline const QString kAckFile = QStringLiteral("BID.ACK");
inline const QString kTimeProbeMarker = QStringLiteral("--eBayTime--");
inline const QString kBidMarker = QStringLiteral("--autoBid--");

// Line numbers of a bid job.
enum BidLine { Marker = 0, Description = 1, BidMoment = 2, UserId = 3, Password = 4,
               Amount = 5, AuctionId = 6 };

struct BidJob {
    QString description;
    QString bidMoment;  // number text
    QString userId;
    QString password;
    QString amount;
    QString auctionId;
};

// The seven lines joined by CR LF, no break after the last.
QByteArray ComposeBidJob(const BidJob &job);
QByteArray ComposeTimeProbeJob();

// A job whose text holds "eBayTime" anywhere is a time probe; anything else is a bid job.
bool IsTimeProbe(const QString &jobText);
// Line n of a job text (breaks CR LF, LF or CR); a line the text does not have is empty.
QString JobLine(const QString &jobText, int n);

// Whole-file writes through a temporary file; the job file holds the password in clear
// text, so it is readable by its owner only. Both raise FileError.
void WriteJobFile(const QByteArray &bytes);
void WriteAckFile(const QString &text);

// Starts the agent "kestrin" detached in the current directory, looking for it in the
// current directory, then beside this program, then on PATH. Returns false with the
// reason in *error when it cannot be started.
bool StartAgent(QString *error);
// Where StartAgent would find the agent; empty when nowhere.
QString FindAgent();
// Tests name the program to start instead (a missing one included); empty restores the search.
void SetAgentProgramForTesting(const QString &program);

}  // namespace jobfiles
