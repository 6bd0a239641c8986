#pragma once

#include "../core/LoopbackServer.h"
#include "core/program/MessageBox.h"
#include "core/program/PictureButton.h"
#include "core/program/ProgramValues.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "hours/DayHoursWindow.h"
#include "tests/hours/FindControl.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

// A day-hours window's world: a program folder whose settings file holds the licence number,
// a loopback service whose page answers with the texts the test gives, in turn (the last one
// again for later requests), and a recorder of message boxes.
class DayHoursFixture : public ::testing::Test
{
protected:
    DayHoursFixture()
    {
        ProgramFolder = folder.path() + QStringLiteral("/");
        SetLicense(QStringLiteral("12345"));
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return MessageAnswer::Ok;
        });
    }

    ~DayHoursFixture() override
    {
        SetMessageBoxHandler({});
        BaseUrl.clear();
        ProgramFolder.clear();
    }

    void SetLicense(const QString& license)
    {
        WriteIniString(ProgramFolder + QStringLiteral("quillane.ini"), QStringLiteral("기본정보"),
                       QStringLiteral("개국약사면허번호"), license);
    }

    // Serves the page's answers (UTF-8 text in a page body) and points BaseUrl at the server.
    void Serve(const std::string& page, std::vector<std::string> answers)
    {
        answers_ = std::move(answers);
        server.Post("/Quillane/" + page,
                    [this](const httplib::Request&, httplib::Response& response) {
                        const std::size_t turn = std::min(served_++, answers_.size() - 1);
                        response.set_content("<html><body>" + answers_[turn] + "</body></html>",
                                             "text/html; charset=utf-8");
                    });
        server.Start();
        BaseUrl = QStringLiteral("http://%1/Quillane/").arg(server.HostAndPort());
    }

    // The bodies that reached the server, in order.
    std::vector<std::string> Bodies() const
    {
        std::vector<std::string> bodies;
        for (const LoopbackServer::Request& request : server.Requests())
            bodies.push_back(request.body);
        return bodies;
    }

    // Runs the event loop until the condition holds or a few seconds have passed.
    static bool WaitUntil(const std::function<bool()>& condition)
    {
        const QDeadlineTimer deadline(std::chrono::seconds(10));
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return true;
    }

    // Waits for the window's answer to its request number `count` to have been handled (the
    // window may have closed and gone with it).
    bool WaitForAnswers(const DayHoursWindow& window, std::size_t count)
    {
        const QPointer<const WebBrowser> requests =
            Find<WebBrowser>(window, QStringLiteral("hoursRequests"));
        return WaitUntil([&] {
            return server.Requests().size() >= count &&
                   (requests.isNull() || requests->ReadyState() == 4);
        });
    }

    QTemporaryDir folder;
    LoopbackServer server;
    std::vector<MessageRequest> messages;

private:
    std::vector<std::string> answers_;
    std::size_t served_ = 0;
};

// A row as the user sees it: "-" when hidden, else name, date, whether the box is ticked and
// the two lists' shown texts, "|"-separated ("삼일절|2026-03-01|on|09:00|익일 1시").
inline std::string Shown(const DayHoursRow& row)
{
    if (row.name->isHidden())
        return "-";
    return (row.name->text() + u'|' + row.date->text() + u'|' +
            (row.working->isChecked() ? QStringLiteral("on") : QStringLiteral("off")) + u'|' +
            row.start->currentText() + u'|' + row.end->currentText())
        .toStdString();
}

// Row n of the window, counted from 1, found by its controls' object names.
inline DayHoursRow Row(const QWidget& window, int n)
{
    const auto part = [n](const char* name) {
        return QStringLiteral("row%1%2").arg(n).arg(QLatin1String(name));
    };
    return {.name = Find<QLabel>(window, part("Name")),
            .working = Find<QCheckBox>(window, part("Working")),
            .start = Find<QComboBox>(window, part("Start")),
            .from = Find<QLabel>(window, part("From")),
            .end = Find<QComboBox>(window, part("End")),
            .to = Find<QLabel>(window, part("To")),
            .date = Find<QLineEdit>(window, part("Date"))};
}

// How many rows the window has.
inline int RowCount(const QWidget& window)
{
    int count = 0;
    while (window.findChild<QCheckBox*>(QStringLiteral("row%1Working").arg(count + 1)))
        ++count;
    return count;
}

// Every row of the window as Shown gives it; and, for each, the rules that always hold: all
// seven controls shown or hidden together, lists and their labels enabled exactly while the box
// is ticked, the box itself never disabled.
inline std::vector<std::string> ShownRows(const QWidget& window)
{
    std::vector<std::string> rows;
    for (int n = 1; n <= RowCount(window); ++n) {
        const DayHoursRow row = Row(window, n);
        const bool hidden = row.name->isHidden();
        for (const QWidget* control :
             {static_cast<const QWidget*>(row.working), static_cast<const QWidget*>(row.start),
              static_cast<const QWidget*>(row.from), static_cast<const QWidget*>(row.end),
              static_cast<const QWidget*>(row.to), static_cast<const QWidget*>(row.date)})
            EXPECT_EQ(control->isHidden(), hidden)
                << "row " << n << " " << control->objectName().toStdString();
        const bool ticked = row.working->isChecked();
        for (const QWidget* control :
             {static_cast<const QWidget*>(row.start), static_cast<const QWidget*>(row.from),
              static_cast<const QWidget*>(row.end), static_cast<const QWidget*>(row.to)})
            EXPECT_EQ(control->isEnabled(), ticked)
                << "row " << n << " " << control->objectName().toStdString();
        EXPECT_TRUE(row.working->isEnabled()) << "row " << n;
        rows.push_back(Shown(row));
    }
    return rows;
}

// A picture button of the window: "saveButton", "resetButton" or "closeBar".
inline PictureButton* Button(const QWidget& window, const char* name)
{
    return Find<PictureButton>(window, QString::fromLatin1(name));
}

// Presses a picture button as the user does: the press shows the pressed picture, the release
// acts.
inline void Press(PictureButton* button)
{
    emit button->Pressed();
    EXPECT_TRUE(button->isHidden());
    EXPECT_FALSE(button->PressedPicture()->isHidden());
    emit button->Released();
    emit button->Clicked();
    EXPECT_FALSE(button->isHidden());
}

// The user ticks or clears a box, or picks an item of a list.
inline void Click(QCheckBox* box)
{
    box->click();
}
inline void Pick(QComboBox* list, const QString& item)
{
    const int index = list->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}
