// The weekly-hours window against quillane-service on loopback: the first showing with its
// pictures drawn, and the time from the show to the last row set beside the service's own round
// trip of the same fetch body. Goals: the first showing under 50 ms; the window adds under 10 ms
// to the round trip.
// Run: QT_QPA_PLATFORM=offscreen build/bench/WeeklyHoursWindowBench [rounds]

#include "core/program/ProgramValues.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "hours/WeeklyBodies.h"
#include "hours/WeeklyHoursWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <httplib.h>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// CPU time of the calling (user-interface) thread, which a busy machine does not inflate.
double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Runs the event loop until the control's next completion has been handled. (QTest::qWaitFor
// sleeps 10 ms between its looks, which would be measured.)
bool RunUntilCompleted(WebBrowser& browser)
{
    QEventLoop loop;
    QObject::connect(&browser, &WebBrowser::DocumentComplete, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    QTimer::singleShot(10000, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

int FreePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

// The service's own round trip: the fetch body posted on a fresh connection, answer read.
double ServiceRoundTripMs(int port, const std::string& body)
{
    httplib::Client client("127.0.0.1", port);
    QElapsedTimer clock;
    clock.start();
    const auto answer =
        client.Post("/Quillane/normal3.asp", body, "application/x-www-form-urlencoded");
    const double elapsed = clock.nsecsElapsed() / 1e6;
    return answer && answer->status == 200 ? elapsed : -1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;

    QTemporaryDir folder;
    const int port = FreePort();
    QProcess service;
    service.start(QStringLiteral(QUILLANE_SERVICE_EXE),
                  {QStringLiteral("--listen"), QStringLiteral("127.0.0.1:%1").arg(port),
                   QStringLiteral("--db"), folder.filePath(QStringLiteral("service.db")),
                   QStringLiteral("--update-dir"), folder.path(), QStringLiteral("--demo")});
    const std::string fetch =
        PostData(WeeklyFetchBody(QStringLiteral("12345"), QStringLiteral("COUNTER-PC")))
            .toStdString();
    if (!QTest::qWaitFor([&] { return ServiceRoundTripMs(port, fetch) >= 0; }, 10000)) {
        std::fprintf(stderr, "quillane-service did not answer\n");
        return 1;
    }
    BaseUrl = QStringLiteral("http://127.0.0.1:%1/Quillane/").arg(port);
    ProgramFolder = folder.path() + QStringLiteral("/");
    const QString settings = ProgramFolder + QStringLiteral("quillane.ini");
    WriteIniString(settings, QStringLiteral("기본정보"), QStringLiteral("개국약사면허번호"),
                   QStringLiteral("12345"));
    WriteIniString(settings, QStringLiteral("기본정보"), QStringLiteral("푸른등대"),
                   QStringLiteral("COUNTER-PC"));

    // The program has drawn its main screen before: the fonts are loaded.
    {
        QLabel warm(QStringLiteral("초록우체통"));
        warm.setFont(QFont(QStringLiteral("NanumGothic")));
        warm.show();
        if (!QTest::qWaitForWindowExposed(&warm))
            return 1;
    }
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = ThreadCpuMs();
    auto* window = new WeeklyHoursWindow;
    window->show();
    const bool exposed = QTest::qWaitForWindowExposed(window);
    const double firstShowing = clock.nsecsElapsed() / 1e6;
    const double firstShowingCpu = ThreadCpuMs() - cpuBefore;

    // Connected after the window's own handler, so this runs once the rows are set.
    qint64 rowsSetAt = 0;
    auto* requests = window->findChild<WebBrowser*>(QStringLiteral("weeklyHoursRequests"));
    auto* weekdays = window->findChild<QCheckBox*>(QStringLiteral("weekdaysWorking"));
    if (requests == nullptr || weekdays == nullptr) {
        std::fprintf(stderr, "the window's controls are not found\n");
        return 1;
    }
    QObject::connect(requests, &WebBrowser::DocumentComplete, window,
                     [&] { rowsSetAt = clock.nsecsElapsed(); });
    std::vector<double> windowTimes;
    std::vector<double> serviceTimes;
    for (int round = 0; round < rounds; ++round) {
        window->hide();
        rowsSetAt = 0;
        const qint64 shownAt = clock.nsecsElapsed();
        window->show();
        if (!RunUntilCompleted(*requests)) {
            std::fprintf(stderr, "no answer in round %d\n", round);
            return 1;
        }
        windowTimes.push_back((rowsSetAt - shownAt) / 1e6);
        serviceTimes.push_back(ServiceRoundTripMs(port, fetch));
    }
    const bool filled = weekdays->isChecked();

    // The browser control's own round trip of the same body, without a window.
    WebBrowser browser(QStringLiteral("weeklyHoursRequests"));
    qint64 completedAt = 0;
    QObject::connect(&browser, &WebBrowser::DocumentComplete,
                     [&] { completedAt = clock.nsecsElapsed(); });
    std::vector<double> browserTimes;
    for (int round = 0; round < rounds; ++round) {
        completedAt = 0;
        const qint64 sentAt = clock.nsecsElapsed();
        PostPage(browser, WeeklyHoursPage,
                 WeeklyFetchBody(QStringLiteral("12345"), QStringLiteral("COUNTER-PC")));
        if (!RunUntilCompleted(browser)) {
            std::fprintf(stderr, "no answer to the browser control in round %d\n", round);
            return 1;
        }
        browserTimes.push_back((completedAt - sentAt) / 1e6);
    }
    delete window;
    service.terminate();
    service.waitForFinished();

    std::printf("first showing with its pictures: %.2f ms (%.2f ms of the thread's CPU time)%s\n",
                firstShowing, firstShowingCpu, exposed ? "" : " (never exposed)");
    std::printf("show to the last row set, median of %d: %.2f ms%s\n", rounds, Median(windowTimes),
                filled ? "" : " (rows not filled)");
    std::printf("service round trip of the fetch, median of %d: %.2f ms\n", rounds,
                Median(serviceTimes));
    std::printf("browser control's round trip of the fetch, median of %d: %.2f ms\n", rounds,
                Median(browserTimes));
    std::printf("added to the service's round trip: %.2f ms, of which the window's own: %.2f ms\n",
                Median(windowTimes) - Median(serviceTimes),
                Median(windowTimes) - Median(browserTimes));
    return 0;
}
