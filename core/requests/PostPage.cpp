#include "core/program/ProgramValues.h"
#include "core/requests/FormEncoding.h"
#include "core/requests/WebBrowser.h"

namespace {

// The control's additional headers: the content type, then LF, CR and the terminating NUL.
const QByteArray kPostHeaders("Content-Type: application/x-www-form-urlencoded\n\r\0", 50);

} // namespace

void PostPage(WebBrowser& browser, const QString& pageName, const QString& body)
{
    browser.Navigate(BaseUrl + pageName, PostData(body), kPostHeaders);
}
