#pragma once

#include "../core/LoopbackServer.h"
#include "FormEncoding.h"
#include "LegalHolidayWindow.h"
#include "MessageBox.h"
#include "Quillane_Define.h"
#include "Settings.h"
#include "WeeklyHoursWindow.h"

#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <mutex>

// The weekly window against a loopback service whose "normal3.asp" and "SunDay.asp" answer what
// the test sets, with the settings file of a registered check computer and message boxes recorded.
class NormalWindow : public ::testing::Test
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
    }

    void TearDown() override
    {
        delete window;
        delete frm_holiday;
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
        WebBrowser& browser = page == "SunDay.asp" ? window->WebBrowser2 : window->WebBrowser1;
        return QTest::qWaitFor(
            [&] { return Bodies(page).size() >= count && browser.ReadyState() == 4; });
    }

    // Shows the window and waits until both fetches have been answered and handled.
    void ShowAndWaitForRows()
    {
        window->show();
        ASSERT_TRUE(WaitForBodies("normal3.asp", 1));
        ASSERT_TRUE(WaitForBodies("SunDay.asp", 1));
        QCoreApplication::processEvents();
    }

    // Each row as "x" (ticked) or "-", start and end as shown, "!" when its lists and labels do
    // not follow the box; then the selected operation type.
    QString RowsState() const
    {
        QStringList rows;
        const struct
        {
            QCheckBox* box;
            QComboBox* start;
            QComboBox* end;
            QLabel* from;
            QLabel* to;
        } all[] = {{window->chk_normal1, window->cmb_normal1, window->cmb_normal2, window->lbs1,
                    window->lbe1},
                   {window->chk_normal2, window->Cmb_normal8, window->Cmb_normal7, window->lbs2,
                    window->lbe2},
                   {window->chk_normal3, window->cmb_normal3, window->cmb_normal4, window->lbs3,
                    window->lbe3},
                   {window->chk_normal4, window->cmb_normal5, window->cmb_normal6, window->lbs4,
                    window->lbe4},
                   {window->chk_normal5, window->cmb_normal9, window->cmb_normal10, window->lbs5,
                    window->lbe5},
                   {window->chk_normal6, window->cmb_normal11, window->cmb_normal12, window->lbs6,
                    window->lbe6},
                   {window->chk_normal7, window->cmb_normal13, window->cmb_normal14, window->lbs7,
                    window->lbe7},
                   {window->chk_normal8, window->cmb_normal15, window->cmb_normal16, window->lbs8,
                    window->lbe8},
                   {window->chk_normal9, window->cmb_normal17, window->cmb_normal18, window->lbs9,
                    window->lbe9}};
        for (const auto& row : all) {
            const bool ticked = row.box->isChecked();
            const bool follows = row.start->isEnabled() == ticked &&
                                 row.end->isEnabled() == ticked &&
                                 row.from->isEnabled() == ticked && row.to->isEnabled() == ticked;
            rows.append(QStringLiteral("%1%2 %3-%4")
                            .arg(QChar(ticked ? u'x' : u'-'))
                            .arg(follows ? QString() : QStringLiteral("!"))
                            .arg(row.start->currentText(), row.end->currentText()));
        }
        const QRadioButton* operations[] = {window->rad_normal1, window->rad_normal2,
                                            window->rad_normal3, window->rad_normal4};
        for (int operation = 0; operation < 4; ++operation) {
            if (operations[operation]->isChecked())
                rows.append(QStringLiteral("op%1").arg(operation));
        }
        return rows.join(QStringLiteral(" | "));
    }

    // What the page handling is given when an answer completes in WebBrowser1.
    void WeeklyAnswerArrives(const QString& text)
    {
        window->WeeklyAnswerArrived(BaseUrl + QStringLiteral("normal3.asp"), text);
    }

    QTemporaryDir folder;
    LoopbackServer server;
    std::mutex answerMutex;
    // Typical answers of a registered pharmacy.
    QString weeklyAnswer = QStringLiteral("09:00]19:00]]:]09:00]13:00]:]:]:]:]:]:]:]0");
    QString sundayAnswer = QStringLiteral("2017-05-0709:0013:00]]2017-05-1410:0018:00");
    std::vector<MessageRequest> messages;
    WeeklyHoursWindow* window = nullptr;
};

// The example answer's rows as the window shows them.
inline const QString ExampleRows = QStringLiteral(
    "x 09:00-19:00 | - 월요일-00:00 | x 09:00-13:00 | - 00:00-00:00 | - 00:00-00:00 | "
    "- 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | - 00:00-00:00 | op0");
