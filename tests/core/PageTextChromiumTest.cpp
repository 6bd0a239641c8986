#include "core/requests/PageDecoding.h"
#include "core/requests/PageText.h"
#include "tests/core/LoopbackServer.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct Page
{
    const char* name;
    QByteArray bytes;
    QByteArray contentType;
};

// 똠약국 in code page 949.
const QByteArray Uhc("\x8C\x63\xBE\xE0\xB1\xB9");

const QList<Page> Pages = {
    {"answer written before the markup", "Y<html><head><title>r</title></head><body></body></html>",
     "text/html; charset=euc-kr"},
    {"hidden attribute",
     "<html><body>Y]1]<div hidden>x</div><span hidden=\"\">z</span>]2</body></html>", "text/html"},
    {"elements the standard style sheet hides",
     "<body>a<datalist><option>x</option></datalist><noembed>n</noembed><noframes>f</noframes>"
     "b<ruby>c<rp>(</rp><rt>d</rt><rp>)</rp></ruby><title>t</title><style>p{}</style></body>",
     "text/html"},
    {"head, script and noscript",
     "<html><head><title>T</title><script>var a;</script></head>"
     "<body>a<script>var b;</script><noscript>n</noscript>b</body></html>",
     "text/html"},
    {"UTF-8 mark before a Korean header", "\xEF\xBB\xBFY", "text/html; charset=euc-kr"},
    {"UTF-8 mark without a charset", "\xEF\xBB\xBF" + QString::fromUtf8("Y]똠").toUtf8(),
     "text/html"},
    {"Korean answer with line breaks", "<html><body>Y]" + Uhc + "]<br>02-123]</body></html>",
     "text/html; charset=euc-kr"},
    {"paragraphs and blocks", "<p>a</p><p>b</p>c<div>d</div><div><div>e</div></div>f", "text/html"},
    {"table rows and cells", "<table><tr><td>a</td><td> b </td></tr><tr><th>c</th></tr></table>",
     "text/html"},
    {"collapsed whitespace", "<body>  a \t\n <b> b </b>\n\n c  <br> d</body>", "text/html"},
};

// A page that lays every test page out in a frame and, once all have loaded, writes each frame's
// document-element innerText (percent-encoded) into an element of its own.
QByteArray ProbePage()
{
    QByteArray probe = "<!doctype html><html><body>";
    for (qsizetype i = 0; i < Pages.size(); ++i)
        probe +=
            "<iframe width=600 height=400 src=\"/page/" + QByteArray::number(i) + "\"></iframe>";
    probe += "<script>window.onload = function () {"
             "  document.querySelectorAll('iframe').forEach(function (frame, i) {"
             "    var out = document.createElement('output');"
             "    out.id = 'text' + i;"
             "    out.textContent = encodeURIComponent("
             "        frame.contentDocument.documentElement.innerText);"
             "    document.body.appendChild(out);"
             "  });"
             "};</script></body></html>";
    return probe;
}

// The innerText of each page as headless chromium renders it.
QStringList ChromiumTexts(const QString& host)
{
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start(QStringLiteral("chromium"),
                   {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                    "--no-first-run", "--disable-background-networking",
                    "--disable-component-update", "--disable-sync",
                    "--user-data-dir=" + profile.path(), "--virtual-time-budget=10000",
                    "--dump-dom", "http://" + host + "/probe"});
    if (!chromium.waitForFinished(90000))
        return {};
    const QString dom = QString::fromUtf8(chromium.readAllStandardOutput());
    QStringList texts;
    for (qsizetype i = 0; i < Pages.size(); ++i) {
        const QRegularExpression output(
            QStringLiteral("<output id=\"text%1\">([^<]*)</output>").arg(i));
        texts += QUrl::fromPercentEncoding(output.match(dom).captured(1).toLatin1());
    }
    return texts;
}

// The program's page text (decoding, then the document element's outer text) is what a browser
// shows; the browser ends lines with "\n" where the program's control gives "\r\n".
TEST(PageTextInChromium, AgreesWithTheBrowsersInnerText)
{
    if (QStandardPaths::findExecutable(QStringLiteral("chromium")).isEmpty())
        GTEST_SKIP() << "chromium is not installed";
    LoopbackServer server;
    server.Get("/probe", [](const httplib::Request&, httplib::Response& response) {
        const QByteArray probe = ProbePage();
        response.set_content(probe.constData(), static_cast<size_t>(probe.size()),
                             "text/html; charset=utf-8");
    });
    server.Get(R"(/page/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
        const Page& page = Pages.at(std::stoi(request.matches[1]));
        response.set_content(page.bytes.constData(), static_cast<size_t>(page.bytes.size()),
                             page.contentType.constData());
    });
    server.Start();

    const QStringList browser = ChromiumTexts(server.HostAndPort());

    ASSERT_EQ(browser.size(), Pages.size()) << "chromium did not render the probe";
    for (qsizetype i = 0; i < Pages.size(); ++i) {
        SCOPED_TRACE(Pages[i].name);
        QString program = DocumentOuterText(DecodePage(Pages[i].bytes, Pages[i].contentType));
        program.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(program.toStdString(), browser[i].toStdString());
    }
}

} // namespace
