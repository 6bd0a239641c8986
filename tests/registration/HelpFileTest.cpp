#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The manual beside the program is one MIME HTML file: a multipart/related message whose HTML
// part, in UTF-8, explains every window and what to do when the sign-in fails.
TEST(HelpFile, IsASingleFileWebPageExplainingEachWindow)
{
    QFile file(QStringLiteral(QUILLANE_PROGRAM_DIR "/Help.mht"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly))
        << "the build places Help.mht in the program folder";
    const QByteArray bytes = file.readAll();

    const qsizetype headerEnd = bytes.indexOf("\r\n\r\n");
    ASSERT_GT(headerEnd, 0);
    const QString header = QString::fromLatin1(bytes.left(headerEnd));
    EXPECT_TRUE(header.contains(QStringLiteral("MIME-Version: 1.0")));
    const QRegularExpressionMatch boundary =
        QRegularExpression(QStringLiteral("Content-Type: multipart/related; boundary=\"([^\"]+)\""))
            .match(header);
    ASSERT_TRUE(boundary.hasMatch());
    const QByteArray separator = "\r\n--" + boundary.captured(1).toLatin1();
    const qsizetype partStart = bytes.indexOf(separator + "\r\n");
    const qsizetype partEnd = bytes.indexOf(separator + "--\r\n");
    ASSERT_GT(partStart, 0);
    ASSERT_GT(partEnd, partStart) << "the message is closed";

    const QByteArray part = bytes.mid(partStart, partEnd - partStart);
    EXPECT_TRUE(part.contains("Content-Type: text/html; charset=\"utf-8\""));
    const QString page = QString::fromUtf8(part);
    EXPECT_FALSE(page.contains(QChar::ReplacementCharacter)) << "valid UTF-8";
    for (const char* heading : {"프로그램이 하는 일", "기본정보 입력", "정상근무시간", "법정공휴일",
                                "명절", "로그인이 안 될 때"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(heading))) << heading;
    EXPECT_FALSE(bytes.contains("\n\n")) << "lines end with CR LF";
}

} // namespace
