#pragma once

#include <QImage>
#include <QString>

// The basic-information window's picture buttons.
enum class BasicInfoButton
{
    IdentityCheck, // 본인확인
    Submit,        // 입력완료
    ReEnter,       // 다시입력
    Close,         // the close bar
    Manual         // 사용 매뉴얼 보기
};

// What the button's picture reads (also its accessible name).
QString BasicInfoButtonCaption(BasicInfoButton button);

// The size of the button's picture (and of its twin), known without drawing it.
QSize BasicInfoButtonSize(BasicInfoButton button);

// The button's picture, or its pressed twin.
QImage BasicInfoButtonPicture(BasicInfoButton button, bool pressed);
