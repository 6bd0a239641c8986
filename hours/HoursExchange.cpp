#include "hours/HoursExchange.h"

#include "core/requests/ServerErrorPage.h"

namespace {

void Warn(const QString& text)
{
    ShowMessage({.text = text,
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
}

void WarnFetchFailed()
{
    Warn(QStringLiteral("서버에서 근무시간을 불러오지 못했습니다.\r\n"
                        "창을 닫고 다시 열어 주십시오"));
}

} // namespace

void HoursExchange::FetchSent()
{
    request_ = HoursRequest::Fetch;
    fetch_ = FetchState::Pending;
}

bool HoursExchange::SaveMayGo()
{
    if (fetch_ == FetchState::Pending)
        return false;
    if (fetch_ == FetchState::Failed) {
        WarnFetchFailed();
        return false;
    }
    request_ = HoursRequest::Save;
    return true;
}

bool HoursExchange::AnswerArrived(HoursRequest answered, const QString& url, const QString& text,
                                  const RowFiller& fillRows, const MessageRequest& savedMessage)
{
    if (url.isEmpty())
        return false;
    if (IsServerErrorPage(text)) {
        if (answered == HoursRequest::Fetch) {
            fetch_ = FetchState::Failed;
            WarnFetchFailed();
        }
        return false;
    }
    if (const std::optional<QString> warning = fillRows(text)) {
        fetch_ = FetchState::Failed;
        Warn(*warning);
        return false;
    }
    fetch_ = FetchState::Applied;
    if (answered != HoursRequest::Save)
        return false;
    ShowMessage(savedMessage);
    return true;
}
