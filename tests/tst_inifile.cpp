#include "errors.h"
#include "inifile.h"
#include "settings.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QtTest>

using testsupport::readFile;
using testsupport::writeFile;

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void missingFileAndKeysGiveDefaults()
    {
        testsupport::TempWorkDir dir;
        IniFile ini("windowscorvane.ini");
        QCOMPARE(ini.ReadString("main", "ofst", "30"), QStringLiteral("30"));
        QCOMPARE(ini.ReadBool("main", "shwTip", true), true);
        QCOMPARE(ini.ReadInteger("main", "nxtTip", 0), 0);
        writeFile("windowscorvane.ini", "[other]\r\nofst=5\r\n");
        QCOMPARE(ini.ReadString("main", "ofst", "30"), QStringLiteral("30"));
    }

    void writeChangesOnlyItsLine()
    {
        testsupport::TempWorkDir dir;
        const QByteArray before =
            "; my notes\r\n[main]\r\nebId=alice\r\nofst=30\n[site]\r\nsearch=http://x\r\n";
        writeFile("windowscorvane.ini", before);
        IniFile ini("windowscorvane.ini");
        ini.WriteString("main", "ofst", "abc");
        QCOMPARE(readFile("windowscorvane.ini"),
                 QByteArray("; my notes\r\n[main]\r\nebId=alice\r\nofst=abc\n[site]\r\nsearch=http://x\r\n"));
        ini.WriteBool("main", "shwTip", false);  // a new key joins its own section
        QCOMPARE(readFile("windowscorvane.ini"),
                 QByteArray("; my notes\r\n[main]\r\nebId=alice\r\nofst=abc\nshwTip=0\r\n[site]\r\nsearch=http://x\r\n"));
        ini.WriteInteger("tips", "nxtTip", 4);  // a new section goes at the end
        QVERIFY(readFile("windowscorvane.ini").endsWith("search=http://x\r\n[tips]\r\nnxtTip=4\r\n"));
        QCOMPARE(ini.ReadString("MAIN", "OFST", ""), QStringLiteral("abc"));  // names ignore case
    }

    void firstWriteCreatesPrivateFile()
    {
        testsupport::TempWorkDir dir;
        IniFile ini("windowscorvane.ini");
        ini.WriteString("main", "ebId", "bob");
        QCOMPARE(readFile("windowscorvane.ini"), QByteArray("[main]\r\nebId=bob\r\n"));
        const QFileDevice::Permissions p = QFileInfo("windowscorvane.ini").permissions();
        QVERIFY(p.testFlag(QFileDevice::ReadOwner) && p.testFlag(QFileDevice::WriteOwner));
        QCOMPARE(int(p & 0x00FF), 0);  // nothing for group or others: it holds the password
    }

    void booleansAndIntegers_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<int>("number");
        QTest::newRow("0") << QByteArray("0") << false << 0;
        QTest::newRow("1") << QByteArray("1") << true << 1;
        QTest::newRow("7") << QByteArray("7") << true << 7;
        QTest::newRow("hex zero") << QByteArray("0x0") << false << 0;
        QTest::newRow("hex") << QByteArray("0x1A") << true << 26;
        QTest::newRow("not a number") << QByteArray("x") << true << -1;
        QTest::newRow("empty") << QByteArray("") << true << -1;
    }
    void booleansAndIntegers()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, flag);
        QFETCH(int, number);
        testsupport::TempWorkDir dir;
        writeFile("windowscorvane.ini", "[main]\r\nshwTip=" + stored + "\r\n");
        IniFile ini("windowscorvane.ini");
        QCOMPARE(ini.ReadBool("main", "shwTip", true), flag);
        QCOMPARE(ini.ReadInteger("main", "shwTip", -1), number);
    }

    void longValuesAreCut()
    {
        testsupport::TempWorkDir dir;
        writeFile("windowscorvane.ini", "[main]\r\nebId=" + QByteArray(3000, 'a') + "\r\n");
        QCOMPARE(IniFile("windowscorvane.ini").ReadString("main", "ebId", "").size(), 2047);
    }

    void failedWriteRaisesAndKeepsFile()
    {
        testsupport::TempWorkDir dir;
        IniFile ini(dir.file("missing-folder/windowscorvane.ini"));
        try {
            ini.WriteString("main", "ebId", "x");
            QFAIL("no error raised");
        } catch (const CorvaneError &e) {
            QCOMPARE(e.message(), QStringLiteral("Unable to write to ") + dir.file("missing-folder/windowscorvane.ini"));
        }
    }

    void siteHostOverrides()
    {
        testsupport::TempWorkDir dir;
        writeFile("windowscorvane.ini", "[site]\r\nsearch=http://127.0.0.1:9/\r\nbid=http://127.0.0.1:8\r\n");
        const SiteHosts hosts = SiteHosts::Load();
        QCOMPARE(siteaddress::SearchPage(hosts), QStringLiteral("http://127.0.0.1:9/ws/search/AdvSearch?"));
        QCOMPARE(siteaddress::BidPage(hosts, "12.50", "123456"),
                 QStringLiteral("http://127.0.0.1:8/ws/eBayISAPI.dll?maxbid=12.50&MfcISAPICommand=MakeBid&item=123456"));
        QCOMPARE(siteaddress::BidPage(hosts, "5&maxbid=999", "1#2"),
                 QStringLiteral("http://127.0.0.1:8/ws/eBayISAPI.dll?maxbid=5%26maxbid%3D999&MfcISAPICommand=MakeBid&item=1%232"));
        QVERIFY(siteaddress::ItemView(hosts, "123").endsWith("/eBayISAPI.dll?ViewItem&item=123"));
        QVERIFY(siteaddress::ItemView(hosts, "1 2&x").endsWith("item=1%202%26x"));
        QVERIFY(siteaddress::OfficialTime(hosts).endsWith("/ws/eBayISAPI.dll?EbayTime"));
    }
};

QTEST_APPLESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
