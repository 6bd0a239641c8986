#include "FetchState.h"

#include "MessageBox.h"

void WarnFetchFailed()
{
    ShowMessage({.text = QStringLiteral("서버에서 근무시간을 불러오지 못했습니다.\r\n"
                                        "창을 닫고 다시 열어 주십시오"),
                 .caption = QStringLiteral("경고"),
                 .icon = MessageIcon::Error,
                 .buttons = MessageButtons::Ok});
}
