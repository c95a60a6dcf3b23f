#include "jobfiles.h"
#include "numbertext.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QtTest>

using namespace jobfiles;

Q_DECLARE_METATYPE(BidJob)

class TestJobFiles : public QObject {
    Q_OBJECT
private slots:
    void bidJobLines_data()
    {
        QTest::addColumn<BidJob>("job");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("full") << BidJob{"Desk lamp", "39522.5990162037", "alice", "pw", "12.50", "123"}
                              << QByteArray("--autoBid--\r\nDesk lamp\r\n39522.5990162037\r\nalice\r\npw\r\n12.50\r\n123");
        QTest::newRow("empty values keep their lines") << BidJob{"", "1.5", "", "", "7", "9"}
                              << QByteArray("--autoBid--\r\n\r\n1.5\r\n\r\n\r\n7\r\n9");
    }
    void bidJobLines()
    {
        QFETCH(BidJob, job);
        QFETCH(QByteArray, file);
        QCOMPARE(ComposeBidJob(job), file);
        for (const QByteArray &breakText : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
            const QString text = QString::fromLatin1(QByteArray(file).replace("\r\n", breakText));
            QVERIFY(!IsTimeProbe(text));
            QCOMPARE(JobLine(text, Description), job.description);
            QCOMPARE(JobLine(text, BidMoment), job.bidMoment);
            QCOMPARE(JobLine(text, UserId), job.userId);
            QCOMPARE(JobLine(text, Password), job.password);
            QCOMPARE(JobLine(text, Amount), job.amount);
            QCOMPARE(JobLine(text, AuctionId), job.auctionId);
            QCOMPARE(JobLine(text, 7), QString());  // a line the file does not have
        }
    }

    void jobTest_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("probe");
        QTest::newRow("time probe") << QString::fromLatin1(ComposeTimeProbeJob()) << true;
        QTest::newRow("bid") << "--autoBid--\r\nDesk lamp" << false;
        QTest::newRow("eBayTime in a description") << "--autoBid--\r\nMy eBayTime clock\r\n1.5" << true;
        QTest::newRow("other letter case") << "--autoBid--\r\nebaytime" << false;
        QTest::newRow("no job file") << "" << false;
    }
    void jobTest()
    {
        QFETCH(QString, text);
        QFETCH(bool, probe);
        QCOMPARE(IsTimeProbe(text), probe);
    }

    void filesAreWrittenWhole()
    {
        testsupport::TempWorkDir dir;
        WriteJobFile(ComposeTimeProbeJob());
        QCOMPARE(testsupport::readFile(kJobFile), QByteArray("--eBayTime--"));
        QCOMPARE(int(QFileInfo(kJobFile).permissions() & 0x00FF), 0);  // it may hold the password
        WriteAckFile(FloatToText(2.0 / 86400));
        QCOMPARE(testsupport::readFile(kAckFile), QByteArray("2.31481481481481E-5"));
        WriteAckFile(FloatToText(0));
        QCOMPARE(testsupport::readFile(kAckFile), QByteArray("0"));
    }
};

QTEST_APPLESS_MAIN(TestJobFiles)
#include "tst_jobfiles.moc"
