// practice-site: a local imitation of the auction site's pages for tests,
// benchmarks and the demo.
#include "practicesite.h"
#include "siteserver.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

#include <cstdio>

using practicesite::PracticeSite;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("practice-site"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A local imitation of the auction site's pages."));
    parser.addHelpOption();
    const QCommandLineOption portOpt(QStringLiteral("port"), QStringLiteral("Port to listen on (0 = any free one)."),
                                     QStringLiteral("N"), QStringLiteral("8080"));
    const QCommandLineOption offsetOpt(QStringLiteral("offset"),
                                       QStringLiteral("Seconds the site clock runs ahead of the local one."),
                                       QStringLiteral("SECONDS"), QStringLiteral("0"));
    const QCommandLineOption zoneOpt(QStringLiteral("zone"), QStringLiteral("IANA zone the site shows its clock in."),
                                     QStringLiteral("IANA"), QStringLiteral("America/Los_Angeles"));
    const QCommandLineOption logOpt(QStringLiteral("log"), QStringLiteral("Also append every log line to FILE."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption userOpt(QStringLiteral("user"), QStringLiteral("The only user ID that signs in."),
                                     QStringLiteral("ID"));
    const QCommandLineOption passOpt(QStringLiteral("password"), QStringLiteral("The password for --user."),
                                     QStringLiteral("PW"));
    const QCommandLineOption auctionOpt(QStringLiteral("auction"),
                                        QStringLiteral("Create an auction ending SECONDS from now (repeatable)."),
                                        QStringLiteral("DESCRIPTION|SECONDS"));
    const QCommandLineOption demoOpt(QStringLiteral("demo"), QStringLiteral("Create a few sample auctions."));
    parser.addOptions({portOpt, offsetOpt, zoneOpt, logOpt, userOpt, passOpt, auctionOpt, demoOpt});
    parser.process(app);

    auto fail = [](const QString &message) {
        std::fprintf(stderr, "practice-site: %s\n", qPrintable(message));
        return 2;
    };

    bool ok = false;
    const uint port = parser.value(portOpt).toUInt(&ok);
    if (!ok || port > 65535)
        return fail(QStringLiteral("bad --port value"));
    const double offset = parser.value(offsetOpt).toDouble(&ok);
    if (!ok)
        return fail(QStringLiteral("bad --offset value"));
    const QTimeZone zone(parser.value(zoneOpt).toUtf8());
    if (!zone.isValid())
        return fail(QStringLiteral("unknown time zone %1").arg(parser.value(zoneOpt)));

    PracticeSite site(zone);
    site.setOffset(offset);
    if (parser.isSet(logOpt) && !site.setLogFile(parser.value(logOpt)))
        return fail(QStringLiteral("cannot open log file %1").arg(parser.value(logOpt)));
    if (parser.isSet(userOpt) || parser.isSet(passOpt))
        site.setCredentials(parser.value(userOpt), parser.value(passOpt));

    for (const QString &value : parser.values(auctionOpt)) {
        const int bar = value.lastIndexOf(QLatin1Char('|'));
        const double seconds = value.mid(bar + 1).toDouble(&ok);
        if (bar < 0 || !ok)
            return fail(QStringLiteral("bad --auction value %1 (want \"DESCRIPTION|SECONDS\")").arg(value));
        site.addAuction(value.left(bar), seconds);
    }
    if (parser.isSet(demoOpt)) {
        site.addAuction(QStringLiteral("Desk lamp"), 8 * 60);
        site.addAuction(QStringLiteral("Brass telescope"), 12 * 60);
        site.addAuction(QStringLiteral("Fountain pen"), 20 * 60);
        site.addAuction(QStringLiteral("Pocket watch"), 45 * 60);
    }

    practicesite::PracticeSiteServer server(&site);
    const quint16 bound = server.listen(QHostAddress::LocalHost, quint16(port));
    if (bound == 0)
        return fail(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port));
    std::printf("listening on http://127.0.0.1:%u\n", unsigned(bound));
    std::fflush(stdout);
    return app.exec();
}
