#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString HelpPath = QStringLiteral(QUILLANE_PROGRAM_DIR "/Help.mht");

QByteArray HelpBytes()
{
    QFile file(HelpPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The HTML of the manual's page: its part of the message after the part's header.
QString HtmlPart(const QByteArray& bytes)
{
    const qsizetype start = bytes.indexOf("<!DOCTYPE html>");
    const qsizetype end = bytes.indexOf("</html>", start);
    return start < 0 || end < 0 ? QString() : QString::fromUtf8(bytes.mid(start, end - start + 7));
}

// The words of a page's text in order: every tag counts as a break, entities as their characters.
QStringList Words(QString html)
{
    html.replace(QRegularExpression(QStringLiteral("<[^>]*>")), QStringLiteral(" "));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// The document headless chromium makes of the file; empty when it did not load it.
QString ChromiumDocument(const QString& path)
{
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start(
        QStringLiteral("chromium"),
        {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--user-data-dir=" + profile.path(), "--dump-dom", QUrl::fromLocalFile(path).toString()});
    if (!chromium.waitForFinished(90000))
        return {};
    return QString::fromUtf8(chromium.readAllStandardOutput());
}

// The manual beside the program is one MIME HTML file: a multipart/related message whose HTML
// part, in UTF-8, explains every window and what to do when the sign-in fails.
TEST(HelpFile, IsASingleFileWebPageExplainingEachWindow)
{
    const QByteArray bytes = HelpBytes();
    ASSERT_FALSE(bytes.isEmpty()) << "the build places Help.mht in the program folder";

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
    // Under 7bit and 8bit, Chromium-based browsers drop the line breaks of the part, and words
    // at the ends of lines run together; binary parts are taken as they are.
    EXPECT_TRUE(part.contains("Content-Transfer-Encoding: binary"));
    const QString page = QString::fromUtf8(part);
    EXPECT_FALSE(page.contains(QChar::ReplacementCharacter)) << "valid UTF-8";
    for (const char* heading : {"프로그램이 하는 일", "기본정보 입력", "정상근무시간", "법정공휴일",
                                "명절", "로그인이 안 될 때"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(heading))) << heading;
    EXPECT_FALSE(bytes.contains("\n\n")) << "lines end with CR LF";
}

// The manual names the tray menu's entries as the menu does.
TEST(HelpFile, NamesTheTrayMenusEntriesAsTheMenuDoes)
{
    const QString page = HtmlPart(HelpBytes());
    for (const char* entry :
         {"메인화면", "기본정보입력", "정상근무시간입력", "법정공휴일근무시간입력",
          "명절근무시간입력", "홈페이지 바로가기", "끝내기"})
        EXPECT_TRUE(page.contains(QStringLiteral("<b>") + QString::fromUtf8(entry) +
                                  QStringLiteral("</b>")))
            << entry;
    EXPECT_FALSE(page.contains(QStringLiteral("종료"))) << "the exit entry is called 끝내기";
}

// A Chromium-based browser (Edge opens .mht files on Windows) reads the manual with every word
// apart as written: its text is the page's text word for word.
TEST(HelpFile, ChromiumReadsEveryWordAsWritten)
{
    if (QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty())
        GTEST_SKIP() << "chromium is not installed: the manual's rendering is not checked";
    const QStringList written = Words(HtmlPart(HelpBytes()));
    ASSERT_GT(written.size(), 500);
    const QString document = ChromiumDocument(HelpPath);
    ASSERT_TRUE(document.contains(QStringLiteral("<title>초록우체통 사용 매뉴얼</title>")))
        << "chromium did not open the manual: " << document.left(300).toStdString();
    const QStringList read = Words(document);
    const auto [writtenAt, readAt] =
        std::mismatch(written.begin(), written.end(), read.begin(), read.end());
    EXPECT_TRUE(writtenAt == written.end() && readAt == read.end())
        << "written \"" << (writtenAt == written.end() ? "" : writtenAt->toStdString())
        << "\", chromium read \"" << (readAt == read.end() ? "" : readAt->toStdString())
        << "\" after " << (writtenAt - written.begin()) << " words";
}

} // namespace
