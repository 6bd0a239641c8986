#pragma once

#include "core/program/MessageBox.h"
#include "core/program/Pause.h"
#include "core/program/ProgramValues.h"
#include "core/program/QuitNow.h"
#include "core/settings/Settings.h"
#include "tests/update/TestSigning.h"
#include "tests/update/UpdateFixture.h"
#include "tests/update/UpdateServer.h"
#include "update/UpdatePackage.h"
#include "update/UpdateProgram.h"

#include <QDeadlineTimer>
#include <QStringEncoder>
#include <QThread>
#include <gtest/gtest.h>

// An installation with its settings file, a stand-in updater that notes its start, and a loopback
// update server; the one-second pauses are skipped, the end of the process and the messages are
// recorded.
class UpdateProgramFixture : public ::testing::Test
{
public:
    void SetUp() override
    {
        ProgramFolder = root.filePath(QStringLiteral("Quillane/"));
        Config.programFolder = ProgramFolder;
        Config.tempFolder = root.filePath(QStringLiteral("Temp/"));
        Config.updateFolder = root.filePath(QStringLiteral("update/"));
        Config.serviceHost = server.Host();
        QDir().mkpath(ProgramFolder);
        QDir().mkpath(Config.tempFolder);
        SetPauseHandler([](int) {});
        SetQuitNowHandler([this] { ended = true; });
        SetMessageBoxHandler([this](const MessageRequest& request) {
            messages.push_back(request.text + u'|' + request.caption);
            return MessageAnswer::Ok;
        });
    }
    void TearDown() override
    {
        SetPauseHandler({});
        SetQuitNowHandler({});
        SetMessageBoxHandler({});
    }

    // A script that writes its name into root/started when run.
    std::string UpdaterScript(const char* name) const
    {
        return "#!/bin/sh\necho " + std::string(name) + " > '" +
               root.filePath(QStringLiteral("started")).toStdString() + "'\n";
    }
    void InstallUpdater(const char* name)
    {
        WriteFile(ProgramFolder + "Quillane_UP.EXE", QByteArray::fromStdString(UpdaterScript(name)),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void SetInstalledVersion(const QString& version)
    {
        WriteIniString(ProgramFolder + "quillane.ini", "버전정보", "버전", version);
    }
    QString InstalledVersion() const
    {
        return ReadIniString(ProgramFolder + "quillane.ini", "버전정보", "버전", "none");
    }
    // Offers the version, the package and its signature file on the server, all listed; the
    // package is signed for the version offered.
    void Offer(const std::string& version, const std::vector<PackageEntry>& package)
    {
        server.SetList("QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\r\n"
                       "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n"
                       "QUILLANE_UPDATE.sig\t3\t2024-05-01 10:00:00\r\n");
        QStringEncoder cp949("windows-949");
        const QByteArray versionFile =
            cp949(QStringLiteral("[버전정보]\r\n버전=") + QString::fromStdString(version) + "\r\n");
        server.SetFile("QUILLANE_Version.INI", versionFile.toStdString());
        const QString path = root.filePath(QStringLiteral("package.zip"));
        WritePackage(path, package);
        server.SetFile("QUILLANE_UPDATE.ZIP", ReadFile(path).toStdString());
        server.SetFile(
            "QUILLANE_UPDATE.sig",
            TestSignatureFor(ReadFile(path), QByteArray::fromStdString(version).toLongLong())
                .toStdString());
    }
    // The version the program handed over to the updater ("" when it did not).
    QByteArray HandedOver() const { return ReadFile(Config.updateFolder + HandoverFileName); }
    // Who the started updater was ("" when none started within the bound).
    std::string StartedUpdater(int boundMs = 3000) const
    {
        const QString path = root.filePath(QStringLiteral("started"));
        const QDeadlineTimer deadline(boundMs);
        while (!deadline.hasExpired() && ReadFile(path).isEmpty())
            QThread::msleep(20);
        return ReadFile(path).trimmed().toStdString();
    }
    bool Asked(const std::string& target)
    {
        const std::vector<std::string> targets = server.Targets();
        return std::find(targets.begin(), targets.end(), target) != targets.end();
    }

    QTemporaryDir root;
    UpdateServer server;
    bool ended = false;
    std::vector<QString> messages;
};
