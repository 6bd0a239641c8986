#include "core/requests/PageText.h"

#include "core/requests/MetaRefresh.h"
#include "core/requests/PageDecoding.h"
#include "core/requests/ServerErrorPage.h"

#include <QList>
#include <gtest/gtest.h>
#include <utility>

namespace {

struct RenderCase
{
    const char* name;
    QString html;
    QString text;
};

TEST(PageTextTest, RendersTheDocumentElementAsABrowserDoes)
{
    const QList<RenderCase> cases = {
        {"plain answer", u"Y]홍길동]"_qs, u"Y]홍길동]"_qs},
        {"answer in a body", u"<html><body>\r\n  Y]1]  \r\n</body></html>"_qs, u"Y]1]"_qs},
        {"head, script, style, noscript and template give no text",
         u"<html><head><title>T</title><style>p{}</style><script>var a;</script></head>"
         "<body>a<script>x()</script><noscript>n</noscript><template>t</template>b"
         "<style>q{}</style></body></html>"_qs,
         u"ab"_qs},
        {"a title the parser moved into the body still gives no text",
         u"Y<html><head><title>r</title></head><body></body></html>"_qs, u"Y"_qs},
        {"elements with the hidden attribute give no text",
         u"<body>a<div hidden>b</div><span HIDDEN=\"\">c</span>d</body>"_qs, u"ad"_qs},
        {"whitespace collapses across inline elements",
         u"<body>  a \t\n <b> b </b>\n\n c  </body>"_qs, u"a b c"_qs},
        {"br breaks a line and drops the spaces around it", u"<body>a <br> b<br><br>c</body>"_qs,
         u"a\r\nb\r\n\r\nc"_qs},
        {"blocks start and end lines; neighbours share their breaks",
         u"<body>x<div>a</div><div><div>b</div></div>y</body>"_qs, u"x\r\na\r\nb\r\ny"_qs},
        {"paragraphs stand apart by an empty line", u"<p>a</p><p>b</p>c"_qs,
         u"a\r\n\r\nb\r\n\r\nc"_qs},
        {"table rows are lines, cells are tab-separated",
         u"<table><tr><td>a</td><td> b </td></tr><tr><th>c</th></tr></table>"_qs, u"a\tb\r\nc"_qs},
        {"pre keeps its whitespace", u"<pre>a  b\n c</pre>"_qs, u"a  b\r\n c"_qs},
        {"comments give no text", u"a<!-- b -->c"_qs, u"ac"_qs},
        {"character references are resolved", u"a&amp;b&nbsp;c&lt;"_qs, u"a&b\u00A0c<"_qs},
        {"empty document", QString(), QString()},
    };
    for (const RenderCase& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(DocumentOuterText(test.html), test.text);
    }
}

struct DecodeCase
{
    const char* name;
    QByteArray bytes;
    QByteArray contentType;
    QString text;
};

TEST(PageTextTest, DecodesByHeaderThenMetaThenCodePage949)
{
    const QByteArray uhc("\x8C\x63\xBE\xE0\xB1\xB9"); // 똠약국 in code page 949
    const QByteArray utf8 = u"똠약국"_qs.toUtf8();
    const QList<DecodeCase> cases = {
        {"no charset anywhere: code page 949 with its extra syllables", uhc, "text/html",
         u"똠약국"_qs},
        {"no content type at all", uhc, {}, u"똠약국"_qs},
        {"header charset", utf8, "text/html; charset=utf-8", u"똠약국"_qs},
        {"quoted header charset in other letter case", utf8, "text/html; Charset=\"UTF-8\"",
         u"똠약국"_qs},
        {"euc-kr label means code page 949", uhc, "text/html; charset=euc-kr", u"똠약국"_qs},
        {"ks_c_5601-1987 label means code page 949", uhc, "text/html;charset=ks_c_5601-1987",
         u"똠약국"_qs},
        {"header wins over meta", "<meta charset=\"euc-kr\">" + utf8, "text/html; charset=utf-8",
         u"<meta charset=\"euc-kr\">똠약국"_qs},
        {"meta charset", "<meta charset=\"utf-8\">" + utf8, "text/html",
         u"<meta charset=\"utf-8\">똠약국"_qs},
        {"meta http-equiv content type",
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=cp949\">" + uhc,
         {},
         u"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=cp949\">똠약국"_qs},
        {"UTF-8 byte-order mark wins over the header", "\xEF\xBB\xBFY", "text/html; charset=euc-kr",
         u"Y"_qs},
        {"UTF-8 byte-order mark wins over the meta tag",
         "\xEF\xBB\xBF<meta charset=euc-kr>" + utf8,
         {},
         u"<meta charset=euc-kr>똠약국"_qs},
        {"UTF-16 byte-order marks", QByteArray("\xFF\xFEY\0]\0", 6), "text/html; charset=euc-kr",
         u"Y]"_qs},
        {"unknown label falls back to code page 949", uhc, "text/html; charset=no-such-set",
         u"똠약국"_qs},
    };
    for (const DecodeCase& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(DecodePage(test.bytes, test.contentType), test.text);
    }
}

TEST(PageTextTest, FindsTheTargetOfAnImmediateRefresh)
{
    const QList<std::pair<QString, QString>> cases = {
        {u"<meta http-equiv=\"refresh\" content=\"0;url=a.asp\">"_qs, u"a.asp"_qs},
        {u"<head><META HTTP-EQUIV=Refresh CONTENT=\"0; URL='b.asp?x=1'\"></head>"_qs,
         u"b.asp?x=1"_qs},
        {u"<body>text<meta http-equiv=\"refresh\" content=\"0, /c.htm\"></body>"_qs, u"/c.htm"_qs},
        {u"<meta http-equiv=\"refresh\" content=\"5;url=later.asp\">"_qs, QString()},
        {u"<meta http-equiv=\"refresh\" content=\"0\">"_qs, QString()},
        {u"<meta name=\"refresh\" content=\"0;url=a.asp\">"_qs, QString()},
        {u"Y]1]"_qs, QString()},
    };
    for (const auto& [html, target] : cases) {
        SCOPED_TRACE(html.toStdString());
        EXPECT_EQ(ImmediateRefreshTarget(html), target);
    }
}

// Nesting as deep as a page within MaxPageBytes allows: the parser records no errors (each would
// copy the stack of open elements) and the tree is walked without recursion.
TEST(PageTextTest, DeeplyNestedPagesGiveTheirAnswer)
{
    const QList<RenderCase> cases = {
        {"2,100 tables, each in a cell of the one before",
         u"<table><tr><td>"_qs.repeated(2100) + u"Y]1]"_qs, u"Y]1]"_qs},
        {"6,500 divisions", u"<div>"_qs.repeated(6500) + u"Y]1]"_qs, u"Y]1]"_qs},
        {"10,900 quotations", u"<q>"_qs.repeated(10900) + u"Y]1]"_qs, u"Y]1]"_qs},
    };
    for (const RenderCase& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(DocumentOuterText(test.html), test.text);
        EXPECT_EQ(ImmediateRefreshTarget(test.html), QString());
        EXPECT_EQ(ImmediateRefreshTarget(
                      test.html + u"<meta http-equiv=\"refresh\" content=\"0;url=a.asp\">"_qs),
                  u"a.asp"_qs);
    }
}

TEST(PageTextTest, RecognisesErrorPagesByTheirTexts)
{
    EXPECT_TRUE(IsServerErrorPage(u"서버에서 표시할 페이지를 받지 못했습니다"_qs));
    EXPECT_TRUE(IsServerErrorPage(u"Y]1]2]HTTP 500 - 내부 서버 오류]"_qs));
    EXPECT_FALSE(IsServerErrorPage(u"Y]표시할]페이지]"_qs));
    EXPECT_FALSE(IsServerErrorPage(u"내부 서버오류"_qs));
    EXPECT_FALSE(IsServerErrorPage(u"이 페이지를 표시할 수 없습니다"_qs));
    EXPECT_FALSE(IsServerErrorPage(QString()));
}

} // namespace
