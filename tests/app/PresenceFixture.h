#pragma once

#include "LoopbackService.h"
#include "MainWindow.h"
#include "ModalDialog.h"
#include "Quillane_Define.h"

#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The main window against a loopback service, with the idle time in the test's hand. Each
// report is awaited, so the next one never cuts it short.
class PresenceFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        BaseUrl = service.BaseUrl();
        ComName = QStringLiteral("PC1");
        PaLicense = QStringLiteral("12345");
        SignInAnswer = QStringLiteral("Y");
        SetModalDialogHandler([this](QDialog& dialog) {
            modals.push_back(dialog.metaObject()->className());
            picturesAtModal.push_back(window->PresencePicture());
            return 0;
        });
        window = std::make_unique<Tfrm_Quillane_Main>();
        window->IdleSeconds = [this] { return idle; };
    }

    void TearDown() override
    {
        SetModalDialogHandler({});
        SignInAnswer.clear();
    }

    // The flag of the report the last step posted, or empty when it posted none.
    std::string Report()
    {
        if (window->WebBrowser2.ReadyState() != 1)
            return {};
        EXPECT_TRUE(service.WaitForBodies("TimeCheck.asp", ++reports));
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->WebBrowser2.ReadyState() == 4; }));
        const std::string body = service.Bodies("TimeCheck.asp").back();
        const std::size_t flag = body.rfind("&P_Flg = ");
        return flag == std::string::npos ? body : body.substr(flag + 9, body.size() - flag - 10);
    }

    std::string Tick()
    {
        window->tmRoutineTimer();
        return Report();
    }

    LoopbackService service;
    std::unique_ptr<Tfrm_Quillane_Main> window;
    std::uint32_t idle = 0;
    std::size_t reports = 0;
    std::vector<std::string> modals;
    std::vector<int> picturesAtModal;
};
