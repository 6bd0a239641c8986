#pragma once

#include "../core/LoopbackServer.h"
#include "core/program/MessageBox.h"
#include "core/program/ProgramValues.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "hours/LegalHolidayWindow.h"
#include "hours/WeeklyHoursWindow.h"
#include "tests/hours/FindControl.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <mutex>

// The weekly window against a loopback service whose "normal3.asp" and "SunDay.asp" answer what
// the test sets, with the settings file of a registered check computer and message boxes recorded.
class WeeklyHoursWindowTest : public ::testing::Test
{
protected:
    static constexpr char License[] = "12345";
    static constexpr char ComputerName[] = "COUNTER-PC";

    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ProgramFolder = folder.path() + QStringLiteral("/");
        const QString settings = ProgramFolder + QStringLiteral("quillane.ini");
        WriteIniString(settings, QStringLiteral("기본정보"), QStringLiteral("개국약사면허번호"),
                       QString::fromLatin1(License));
        WriteIniString(settings, QStringLiteral("기본정보"), QStringLiteral("푸른등대"),
                       QString::fromLatin1(ComputerName));
        server.Post("/Quillane/normal3.asp", Answer(weeklyAnswer));
        server.Post("/Quillane/SunDay.asp", Answer(sundayAnswer));
        server.Start();
        BaseUrl = QStringLiteral("http://%1/Quillane/").arg(server.HostAndPort());
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return MessageAnswer::Ok;
        });
        window = new WeeklyHoursWindow;
        QObject::connect(window, &WeeklyHoursWindow::LegalHolidayHoursRequested,
                         [this] { ++legalHolidayRequests; });
    }

    void TearDown() override
    {
        delete window;
        SetMessageBoxHandler({});
    }

    // A page of the service: the text in code page 949 inside a plain document.
    LoopbackServer::Handler Answer(const QString& text)
    {
        const QString* answer = &text;
        return [this, answer](const httplib::Request&, httplib::Response& response) {
            std::lock_guard lock(answerMutex);
            QStringEncoder cp949("windows-949");
            const QByteArray page = cp949.encode(QStringLiteral("<html><body>") + *answer +
                                                 QStringLiteral("</body></html>"));
            response.set_content(page.toStdString(), "text/html");
        };
    }

    void SetAnswers(const QString& weekly, const QString& sunday)
    {
        std::lock_guard lock(answerMutex);
        weeklyAnswer = weekly;
        sundayAnswer = sunday;
    }

    // The bodies posted to a page, in arrival order.
    std::vector<std::string> Bodies(const std::string& page) const
    {
        std::vector<std::string> bodies;
        for (const LoopbackServer::Request& request : server.Requests()) {
            if (request.path == "/Quillane/" + page)
                bodies.push_back(request.body);
        }
        return bodies;
    }

    // Waits until the page has received count bodies and the window has handled its answers.
    bool WaitForBodies(const std::string& page, std::size_t count)
    {
        const WebBrowser* browser =
            Control<WebBrowser>(page == "SunDay.asp" ? "sundayRequests" : "weeklyHoursRequests");
        return QTest::qWaitFor(
            [&] { return Bodies(page).size() >= count && browser->ReadyState() == 4; });
    }

    // Shows the window and waits until both fetches have been answered and handled.
    void ShowAndWaitForRows()
    {
        window->show();
        ASSERT_TRUE(WaitForBodies("normal3.asp", 1));
        ASSERT_TRUE(WaitForBodies("SunDay.asp", 1));
        QCoreApplication::processEvents();
    }

    // The window's control of that type and object name.
    template <class Type> Type* Control(const char* name) const
    {
        return Find<Type>(*window, QString::fromLatin1(name));
    }

    // Each row as "x" (ticked) or "-", start and end as shown, "!" when its lists and labels do
    // not follow the box; then the selected operation type.
    QString RowsState() const
    {
        QStringList rows;
        for (const char* row : {"weekdays", "nightDuty", "saturday", "everySunday", "week1",
                                "week2", "week3", "week4", "week5"}) {
            const QString name = QString::fromLatin1(row);
            const auto part = [&](const char* suffix) { return name + QLatin1String(suffix); };
            const auto* box = Find<QCheckBox>(*window, part("Working"));
            const auto* start = Find<QComboBox>(
                *window, part(name == QStringLiteral("nightDuty") ? "Day" : "Start"));
            const auto* end = Find<QComboBox>(*window, part("End"));
            const bool ticked = box->isChecked();
            const bool follows = start->isEnabled() == ticked && end->isEnabled() == ticked &&
                                 Find<QLabel>(*window, part("From"))->isEnabled() == ticked &&
                                 Find<QLabel>(*window, part("To"))->isEnabled() == ticked;
            rows.append(QStringLiteral("%1%2 %3-%4")
                            .arg(QChar(ticked ? u'x' : u'-'))
                            .arg(follows ? QString() : QStringLiteral("!"))
                            .arg(start->currentText(), end->currentText()));
        }
        const char* const operations[] = {"regularOperation", "openAllYearOperation",
                                          "nightOperation", "openAllYearAndNightOperation"};
        for (int operation = 0; operation < 4; ++operation) {
            if (Control<QRadioButton>(operations[operation])->isChecked())
                rows.append(QStringLiteral("op%1").arg(operation));
        }
        return rows.join(QStringLiteral(" | "));
    }

    // What the page handling is given when an answer to the request completes.
    void WeeklyAnswerArrives(HoursRequest answered, const QString& text)
    {
        window->AnswerArrived(answered, BaseUrl + QStringLiteral("normal3.asp"), text);
    }

    QTemporaryDir folder;
    LoopbackServer server;
    std::mutex answerMutex;
    // Typical answers of a registered pharmacy.
    QString weeklyAnswer = QStringLiteral("09:00]19:00]]:]09:00]13:00]:]:]:]:]:]:]:]0");
    QString sundayAnswer = QStringLiteral("2017-05-0709:0013:00]]2017-05-1410:0018:00");
    std::vector<MessageRequest> messages;
    WeeklyHoursWindow* window = nullptr;
    int legalHolidayRequests = 0; // the legal-holiday window asked for after a save
};

// The example answer's rows as the window shows them.
inline const QString ExampleRows = QStringLiteral(
    "x 09:00-19:00 | - 월요일-00:00 | x 09:00-13:00 | - 00:00-00:00 | - 00:00-00:00 | "
    "- 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op0");
