#include "core/requests/ServerErrorPage.h"

bool IsServerErrorPage(const QString& text)
{
    return text.contains(QStringLiteral("표시할 페이지")) ||
           text.contains(QStringLiteral("내부 서버 오류"));
}
