#include "UpdateProgramFixture.h"

#include <QCryptographicHash>
#include <QProcess>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString Refused = QStringLiteral(
    "업데이트 파일이 협회에서 보낸 것인지 확인할 수 없어 업데이트하지 않았습니다.\r\n지금 버전으로 "
    "계속 사용하시고, 문제가 계속되면 협회에 문의해 주십시오.|경고");

// Runs the release script; the answer is what it printed.
QByteArray Release(const QStringList& arguments)
{
    QProcess script;
    script.start(QStringLiteral("bash"),
                 QStringList{QStringLiteral(QUILLANE_SOURCE_DIR "/scripts/update-release.sh")} +
                     arguments);
    script.waitForFinished(20000);
    EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    return script.readAllStandardOutput();
}

// This test program carries the public key of the test key below; the release script signs.
class SignedUpdate : public UpdateProgramFixture
{
protected:
    void SetUp() override
    {
        UpdateProgramFixture::SetUp();
        SetInstalledVersion("52");
        Offer("53", {{"Quillane_UP.EXE", UpdaterScript("new"), 0100755}, {"marker.txt", "m"}});
    }

    QString Key() const { return QStringLiteral(QUILLANE_TEST_DATA "/update/test-update-key.pem"); }
    QString OfferedPackage() const { return root.filePath(QStringLiteral("package.zip")); }

    // Signs a package for the version with the key and offers the signature file.
    void OfferSignature(const QString& key, const QString& package, const QString& version)
    {
        const QString signature = root.filePath(QStringLiteral("QUILLANE_UPDATE.sig"));
        Release({"sign", key, package, version, signature});
        server.SetFile("QUILLANE_UPDATE.sig", ReadFile(signature).toStdString());
    }
};

TEST_F(SignedUpdate, APackageSignedForItsVersionIsTaken)
{
    OfferSignature(Key(), OfferedPackage(), "53");

    UpdateProgram("52");

    EXPECT_TRUE(ended);
    EXPECT_EQ(StartedUpdater(), "new");
    EXPECT_EQ(InstalledVersion(), "53");
    EXPECT_THAT(messages, IsEmpty());
}

TEST_F(SignedUpdate, APackageNotVouchedForIsNeitherUnpackedNorHandedOver)
{
    const QString otherKey = root.filePath(QStringLiteral("forger.pem"));
    Release({"keygen", otherKey});
    const QString otherPackage = root.filePath(QStringLiteral("other.zip"));
    WritePackage(otherPackage, {{"marker.txt", "other"}});
    const struct
    {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"an empty signature file", [] {}},
        {"no signature file listed",
         [&] {
             server.SetList("QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\r\n"
                            "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n");
         }},
        {"signed with another key", [&] { OfferSignature(otherKey, OfferedPackage(), "53"); }},
        {"signed for another version", [&] { OfferSignature(Key(), OfferedPackage(), "54"); }},
        {"signed for another package", [&] { OfferSignature(Key(), otherPackage, "53"); }},
        {"manifest changed after signing",
         [&] {
             OfferSignature(Key(), otherPackage, "53");
             QByteArray signature = ReadFile(root.filePath(QStringLiteral("QUILLANE_UPDATE.sig")));
             const QByteArray sha =
                 QCryptographicHash::hash(ReadFile(OfferedPackage()), QCryptographicHash::Sha256)
                     .toHex();
             signature.replace(signature.indexOf("sha256=") + 7, 64, sha);
             server.SetFile("QUILLANE_UPDATE.sig", signature.toStdString());
         }},
        {"not a signature file", [&] { server.SetFile("QUILLANE_UPDATE.sig", "PK\x03\x04"); }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        server.SetList("QUILLANE_Version.INI\t1\t2024-05-01 10:00:00\r\n"
                       "QUILLANE_UPDATE.ZIP\t2\t2024-05-01 10:00:00\r\n"
                       "QUILLANE_UPDATE.sig\t3\t2024-05-01 10:00:00\r\n");
        server.SetFile("QUILLANE_UPDATE.sig", "");
        test.arrange();
        messages.clear();

        UpdateProgram("52");

        EXPECT_FALSE(ended);
        EXPECT_THAT(messages, ElementsAre(Refused));
        EXPECT_EQ(InstalledVersion(), "52");
        EXPECT_FALSE(QFile::exists(Config.tempFolder + "marker.txt")) << "nothing unpacked";
        EXPECT_FALSE(QFile::exists(ProgramFolder + "Quillane_UP.EXE"));
    }
}

} // namespace
