#include "texthelpers.h"
#include "zazaza.h"

#include <QLocale>
#include <QtTest>

class TestTextHelpers : public QObject {
    Q_OBJECT
private slots:
    void scrambleExamples_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("abc") << QByteArray("abc") << QByteArray("_ac");
        QTest::newRow("abcdefg") << QByteArray("abcdefg") << QByteArray("_acegie");
        QTest::newRow("positions 3, 9 keep their codes") << QByteArray("zzzzzzzzz") << QByteArray("xyz{|}xyz");
        QTest::newRow("code 1 at position 1 wraps") << QByteArray("\x01") << QByteArray("\xff");
        QTest::newRow("code 254 at position 4 wraps") << QByteArray("aaa\xfe") << QByteArray("_`a\xff");
        QTest::newRow("code 255 at position 5 wraps") << QByteArray("aaaa\xff") << QByteArray("_`ab\x01");
    }
    void scrambleExamples()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, stored);
        QCOMPARE(ScrambleText(text), stored);
        QCOMPARE(UnscrambleText(stored), text);
    }

    // The few codes that the table would take to 0 are carried so that the stored text
    // never holds a 0 and still reads back; every code at every position round-trips.
    void everyCodeAtEveryPositionRoundTrips()
    {
        for (int position = 0; position < 12; ++position) {
            for (int code = 1; code < 256; ++code) {
                QByteArray text(position, 'x');
                text.append(char(code));
                text.append("yz");
                const QByteArray stored = ScrambleText(text);
                QCOMPARE(stored.size(), text.size());
                QVERIFY2(!stored.contains('\0'), qPrintable(QString("code %1 at %2").arg(code).arg(position + 1)));
                QCOMPARE(UnscrambleText(stored), text);
            }
        }
        QCOMPARE(ScrambleText(QByteArray("aaa\xff")), QByteArray("_`a\x01"));  // 255 at 4 would be 0
    }

    void textIsNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::newRow("0.00") << "0.00" << true;
        QTest::newRow("12") << "12" << true;
        QTest::newRow("negative") << "-5" << true;
        QTest::newRow("exponent") << "1E3" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "abc" << false;
        QTest::newRow("thousands separator") << "1,000" << false;
    }
    void textIsNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(TextIsNumber(text), number);
    }

    void positions()
    {
        QCOMPARE(Pos("b", "abcb"), 2);
        QCOMPARE(Pos("x", "abc"), 0);
        QCOMPARE(Copy("abcdef", 2, 3), QStringLiteral("bcd"));
        QCOMPARE(Copy("abcdef", 5, 10), QStringLiteral("ef"));
        QCOMPARE(Copy("abcdef", 7, 1), QString());
        QCOMPARE(Copy("abcdef", 1, 0), QString());
        QCOMPARE(Copy("abcdef", 1, -2), QString());
    }
};

QTEST_APPLESS_MAIN(TestTextHelpers)
#include "tst_texthelpers.moc"
