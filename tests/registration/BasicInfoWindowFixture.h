#pragma once

#include "core/management/EditionDetection.h"
#include "core/program/MessageBox.h"
#include "core/program/ModalDialog.h"
#include "core/program/Pharmacy.h"
#include "core/program/PictureButton.h"
#include "core/program/ProgramValues.h"
#include "core/requests/WebBrowser.h"
#include "core/settings/Settings.h"
#include "core/settings/SettingsKeys.h"
#include "registration/BasicInfoWindow.h"
#include "registration/HelpFile.h"
#include "registration/IdentityCheck.h"
#include "registration/Registration.h"
#include "tests/registration/BasicInfoControls.h"
#include "tests/registration/PageRecorder.h"

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A basic-information window in a program folder of its own, posting to a page recorder, with
// its message boxes, modal windows, help file and its registration's requests of the main window
// recorded.
class BasicInfoWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ProgramFolder = folder.path() + QLatin1Char('/');
        BaseUrl = service.BaseUrl();
        CloseOnPaint = false;
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request);
            return answer;
        });
        SetModalDialogHandler([this](QDialog& dialog) {
            modalTitles.push_back(dialog.windowTitle());
            return 0;
        });
        SetHelpFileHandler([this](const QString& path) { helpOpened.push_back(path); });
        window = std::make_unique<BasicInfoWindow>(pharmacy);
        QObject::connect(window.get(), &BasicInfoWindow::CheckComputerRegistered,
                         [this] { ++checkComputerRegistrations; });
        QObject::connect(window.get(), &BasicInfoWindow::SignInRequested, [this] { ++signIns; });
        QObject::connect(window.get(), &BasicInfoWindow::WeeklyHoursRequested,
                         [this] { ++weeklyHoursRequests; });
        fields = FieldsOf(*window);
        identity = window->findChild<IdentityCheck*>();
        registration = window->findChild<Registration*>();
        ASSERT_NE(identity, nullptr);
        ASSERT_NE(registration, nullptr);
    }

    void TearDown() override
    {
        window.reset();
        SetMessageBoxHandler({});
        SetModalDialogHandler({});
        SetHelpFileHandler({});
        DetectedEdition.clear();
    }

    PictureButton* Button(const char* objectName) const
    {
        return Find<PictureButton>(*window, objectName);
    }

    // The request of that object name: "identityCheck", "registration" or "recheck".
    const WebBrowser& Request(const char* objectName) const
    {
        return *Find<WebBrowser>(*window, objectName);
    }

    QString SettingsPath() const { return ProgramFolder + SettingsKeys::FileName; }

    void Store(const QString& key, const QString& value) const
    {
        WriteIniString(SettingsPath(), SettingsKeys::BasicInfo, key, value);
    }

    QByteArray SettingsBytes() const
    {
        QFile file(SettingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Texts of the recorded message boxes, in order.
    std::vector<QString> MessageTexts() const
    {
        std::vector<QString> texts;
        for (const MessageRequest& request : messages)
            texts.push_back(request.text);
        return texts;
    }

    // Waits until the page has received count bodies.
    bool WaitForBodies(const std::string& page, std::size_t count)
    {
        return QTest::qWaitFor([&] { return service.Bodies(page).size() >= count; }, 10000);
    }

    QTemporaryDir folder;
    PageRecorder service;
    std::vector<MessageRequest> messages;
    MessageAnswer answer = MessageAnswer::Ok;
    std::vector<QString> modalTitles;
    std::vector<QString> helpOpened;
    int signIns = 0;
    int checkComputerRegistrations = 0;
    int weeklyHoursRequests = 0;
    Pharmacy pharmacy;
    std::unique_ptr<BasicInfoWindow> window;
    BasicInfoFields fields{};
    IdentityCheck* identity = nullptr;
    Registration* registration = nullptr;
};

// The error message box of the window (caption "경고", the error icon, OK).
inline bool IsWarning(const MessageRequest& request)
{
    return request.caption == QStringLiteral("경고") && request.icon == MessageIcon::Error &&
           request.buttons == MessageButtons::Ok;
}
