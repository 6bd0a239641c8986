#pragma once

#include "app/DataWindows.h"
#include "app/PresenceReporter.h"
#include "app/SignIn.h"
#include "core/program/ModalDialog.h"
#include "core/program/Pharmacy.h"
#include "core/program/ProgramValues.h"
#include "tests/app/LoopbackService.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(Presence state, std::ostream* out)
{
    constexpr const char* Names[] = {"Off", "Waiting", "On"};
    *out << Names[static_cast<int>(state)];
}

// The presence reports and the sign-in of a pharmacy against a loopback service, after an
// accepted sign-in, with the idle time in the test's hand. Each report is awaited, so the next one
// never cuts it short.
class PresenceFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BaseUrl = service.BaseUrl();
        presence.SetSignInAccepted(true);
        SetModalDialogHandler([this](QDialog& dialog) {
            modals.push_back(dialog.metaObject()->className());
            statesAtModal.push_back(presence.State());
            return 0;
        });
        presence.SetIdleSeconds([this] { return idle; });
    }

    void TearDown() override { SetModalDialogHandler({}); }

    // The flag of the report the last step posted, or empty when it posted none.
    std::string Report()
    {
        const auto* reports = presence.findChild<WebBrowser*>(QStringLiteral("presenceReports"));
        if (reports->ReadyState() != 1)
            return {};
        EXPECT_TRUE(service.WaitForBodies("TimeCheck.asp", ++reports_));
        EXPECT_TRUE(QTest::qWaitFor([reports] { return reports->ReadyState() == 4; }));
        const std::string body = service.Bodies("TimeCheck.asp").back();
        const std::size_t flag = body.rfind("&P_Flg = ");
        return flag == std::string::npos ? body : body.substr(flag + 9, body.size() - flag - 10);
    }

    std::string Tick()
    {
        presence.Tick();
        return Report();
    }

    const QTimer& Timer() const
    {
        return *presence.findChild<QTimer*>(QStringLiteral("presenceTimer"));
    }

    LoopbackService service;
    Pharmacy pharmacy{.license = QStringLiteral("12345"), .checkComputer = QStringLiteral("PC1")};
    PresenceReporter presence{pharmacy};
    DataWindows windows{pharmacy};
    SignIn signIn{pharmacy, presence, windows};
    std::uint32_t idle = 0;
    std::vector<std::string> modals;
    std::vector<Presence> statesAtModal;

private:
    std::size_t reports_ = 0;
};
