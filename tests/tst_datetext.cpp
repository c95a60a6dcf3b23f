#include "datetext.h"
#include "datetime.h"
#include "errors.h"

#include <QtTest>

class TestDateText : public QObject {
    Q_OBJECT
private slots:
    void converts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("moment");
        const QDateTime example(QDate(2008, 3, 16), QTime(14, 23, 45));
        QTest::newRow("hyphen form") << "03-16-08 14:23:45" << example;
        QTest::newRow("blank form") << "03 16 08 14:23:45" << example;
        QTest::newRow("zone word after") << "03-16-08 14:23:45 PDT)" << example;
        QTest::newRow("year 00") << "01-01-00 00:00:00" << QDateTime(QDate(2000, 1, 1), QTime(0, 0));
        QTest::newRow("year 99") << "12-31-99 23:59:59" << QDateTime(QDate(2099, 12, 31), QTime(23, 59, 59));
        QTest::newRow("leading blank in a field") << " 3-16-08 14:23:45" << example;
    }
    void converts()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, moment);
        QCOMPARE(DateTextToDateTime(text), ToDateTime(moment));
    }

    void rejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("one-digit day") << "03-6-08 14:23:45";
        QTest::newRow("February 30") << "02-30-08 10:00:00";
        QTest::newRow("hour 24") << "03-16-08 24:00:00";
        QTest::newRow("minute 60") << "03-16-08 14:60:00";
        QTest::newRow("month 00") << "00-16-08 14:23:45";
        QTest::newRow("empty") << "";
        QTest::newRow("short") << "03-16";
    }
    void rejects()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(ConvertError, DateTextToDateTime(text));
    }

    void monthNames()
    {
        QCOMPARE(MonthNameToNumber("January"), QStringLiteral("01"));
        QCOMPARE(MonthNameToNumber("September"), QStringLiteral("09"));
        QCOMPARE(MonthNameToNumber("December"), QStringLiteral("12"));
        QCOMPARE(MonthNameToNumber("march"), QStringLiteral("00"));
        QCOMPARE(MonthNameToNumber(""), QStringLiteral("00"));
    }

    void siteTimeText_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::newRow("official-time page")
            << QStringList{"<html>", "<p><b>Sunday, March 16, 2008 14:23:45 PDT</b></p>", "</html>"}
            << "03 16, 2008 14:23:45";
        QTest::newRow("first matching line wins")
            << QStringList{"<p><b>Wednesday, September 10, 2008 19:51:35 PDT</b></p>", "<p><b>Sunday, March 16, 2008 14:23:45 PDT</b></p>"}
            << "09 10, 2008 19:51:35";
        QTest::newRow("no lines") << QStringList{} << "";
        QTest::newRow("short last line") << QStringList{"<html>", "</html>"} << "";
        QTest::newRow("no day, cut starts at fifth character")
            << QStringList{"1234March 16, 2008 14:23:45 PDT</b></p>"} << "03 16, 2008 14:23:45";
    }
    void siteTimeText()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QCOMPARE(ExtractSiteTimeText(lines), text);
    }

    void pageToMoment()
    {
        const QString text = ExtractSiteTimeText({"<p><b>Sunday, March 16, 2008 14:23:45 PDT</b></p>"});
        QCOMPARE(DateTextToDateTime(QString(text).replace(", 20", " ")),
                 ToDateTime(QDateTime(QDate(2008, 3, 16), QTime(14, 23, 45))));
    }

    void moments()
    {
        QCOMPARE(EncodeDateTime(1899, 12, 30, 0, 0, 0), 0.0);
        QCOMPARE(EncodeDateTime(1900, 1, 1, 12, 0, 0), 2.5);
        QCOMPARE(Duration(0, 0, 30), 30.0 / 86400);
        const double m = EncodeDateTime(2026, 12, 11, 9, 30, 15, 250);
        QCOMPARE(FromDateTime(m), QDateTime(QDate(2026, 12, 11), QTime(9, 30, 15, 250)));
    }
};

QTEST_APPLESS_MAIN(TestDateText)
#include "tst_datetext.moc"
