// How far the agent's measured clock offset lies from the truth: 20 probes against the
// practice site running a known offset, each started at a random point of the second.
// The fetcher's pause after the page is skipped; the measurement itself is the product's.
#include "practicesiteprocess.h"
#include "settings.h"
#include "timeprobe.h"
#include "httpget.h"
#include "zazaza.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QThread>
#include <QTimeZone>

#include <cmath>
#include <cstdio>

int main(int argc, char *argv[])
{
    // The utility form is a widget; run windowless when there is no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const double siteAhead = 37.0;
    const int probes = 20;

    testsupport::PracticeSiteProcess site;
    if (!site.start({QStringLiteral("--offset"), QString::number(siteAhead), QStringLiteral("--zone"),
                     QString::fromUtf8(QTimeZone::systemTimeZoneId())})) {
        std::fprintf(stderr, "bench_clockoffset: the practice site did not start\n%s\n",
                     site.stderrOutput().constData());
        return 2;
    }
    SiteHosts hosts;
    hosts.time = site.baseUrl();
    const QString url = siteaddress::OfficialTime(hosts);

    TfrmZazAza form;
    SetFetchPauseForTesting(0);

    double sum = 0;
    double sumAbs = 0;
    double largest = 0;
    std::printf("probe  phase ms  offset s      error s\n");
    for (int i = 0; i < probes; ++i) {
        const int phase = QRandomGenerator::global()->bounded(1000);
        QThread::msleep(ulong(phase));
        double offset = 0;
        try {
            offset = MeasureClockOffset(form, url) * 86400.0;
        } catch (const std::exception &e) {
            std::fprintf(stderr, "bench_clockoffset: probe %d failed: %s\n", i + 1, e.what());
            return 2;
        }
        // Local minus site: the truth is minus the site's lead.
        const double error = offset + siteAhead;
        sum += error;
        sumAbs += std::fabs(error);
        largest = std::max(largest, std::fabs(error));
        std::printf("%5d  %8d  %10.3f  %+9.3f\n", i + 1, phase, offset, error);
    }
    std::printf("site ahead by %.3f s; %d probes\n", siteAhead, probes);
    std::printf("mean error %+.3f s, mean absolute error %.3f s, largest absolute error %.3f s\n",
                sum / probes, sumAbs / probes, largest);
    std::printf("%s: the largest error must stay under 1 s\n", largest < 1.0 ? "PASS" : "FAIL");
    return largest < 1.0 ? 0 : 1;
}
