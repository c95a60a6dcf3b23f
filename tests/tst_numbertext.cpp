#include "errors.h"
#include "numbertext.h"

#include <QLocale>
#include <QtTest>

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void writes_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("one and a half") << 1.5 << "1.5";
        QTest::newRow("two seconds") << 2.0 / 86400 << "2.31481481481481E-5";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative") << -1.25 << "-1.25";
        QTest::newRow("negative small") << -2.0 / 86400 << "-2.31481481481481E-5";
        QTest::newRow("whole") << 39522.0 << "39522";
        QTest::newRow("moment") << 39522.5990162037 << "39522.5990162037";
        QTest::newRow("1E15") << 1e15 << "1E15";
        QTest::newRow("below 1E15") << 999999999999999.0 << "999999999999999";
        QTest::newRow("0.0001") << 0.0001 << "0.0001";
        QTest::newRow("just below 0.0001") << 9.99999999999999e-5 << "9.99999999999999E-5";
        QTest::newRow("15th digit rounds up") << 0.123456789012345678 << "0.123456789012346";
        QTest::newRow("rounds to 1E15") << 999999999999999.9 << "1E15";
        QTest::newRow("large exponent") << 1.5e20 << "1.5E20";
        QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
        QTest::newRow("trailing zeros dropped") << 12.5000 << "12.5";
    }
    void writes()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(FloatToText(value), text);
        double back = 0;
        QVERIFY(TryTextToFloat(text, &back));
        QCOMPARE(FloatToText(back), text);
    }

    void commaLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(FloatToText(1.5), QStringLiteral("1,5"));
        QCOMPARE(FloatToText(2.0 / 86400), QStringLiteral("2,31481481481481E-5"));
        QCOMPARE(TextToFloat(QStringLiteral("39522,25")), 39522.25);
        QVERIFY(!TextIsFloat(QStringLiteral("1.5")));
        QVERIFY(!TextIsFloat(QStringLiteral("1.000,5")));  // no thousands separator
    }

    void reads_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12.50" << true << 12.5;
        QTest::newRow("whole") << "12" << true << 12.0;
        QTest::newRow("exponent") << "2.5E-5" << true << 2.5e-5;
        QTest::newRow("lower-case exponent") << "1e3" << true << 1000.0;
        QTest::newRow("negative") << "-3" << true << -3.0;
        QTest::newRow("plus sign") << "+4.5E+1" << true << 45.0;
        QTest::newRow("blanks around") << " 7 " << true << 7.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("letters") << "abc" << false << 0.0;
        QTest::newRow("thousands separator") << "1,000.00" << false << 0.0;
        QTest::newRow("exponent without digits") << "1E" << false << 0.0;
        QTest::newRow("trailing text") << "12x" << false << 0.0;
        QTest::newRow("job marker") << "--eBayTime--" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("overflow") << "1E999" << false << 0.0;
    }
    void reads()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double v = 0;
        QCOMPARE(TryTextToFloat(text, &v), ok);
        if (ok)
            QCOMPARE(v, value);
        else
            QVERIFY_THROWS_EXCEPTION(ConvertError, TextToFloat(text));
    }

    void integers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "30" << true << 30;
        QTest::newRow("leading blank") << " 5" << true << 5;
        QTest::newRow("trailing blank") << "5 " << false << 0;
        QTest::newRow("hex") << "0x1F" << true << 31;
        QTest::newRow("negative") << "-7" << true << -7;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("decimal") << "1.5" << false << 0;
        QTest::newRow("too large") << "99999999999" << false << 0;
    }
    void integers()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        int v = 0;
        QCOMPARE(TryTextToInt(text, &v), ok);
        if (ok)
            QCOMPARE(v, value);
        else
            QVERIFY_THROWS_EXCEPTION(ConvertError, TextToInt(text));
    }

private:
    static bool TextIsFloat(const QString &t) { return TryTextToFloat(t, nullptr); }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
