#include "TrayMenu.h"

TrayMenu::TrayMenu(QWidget* parent)
    : QMenu(parent), POS1(addAction(QStringLiteral("심야 간편 POS"))),
      N1(addAction(QStringLiteral("메인화면"))), N2(addAction(QStringLiteral("기본정보입력"))),
      N3(addAction(QStringLiteral("정상근무시간입력"))),
      N4(addAction(QStringLiteral("법정공휴일근무시간입력"))),
      N5(addAction(QStringLiteral("명절근무시간입력"))),
      N7(addAction(QStringLiteral("홈페이지 바로가기"))), N6(addAction(QStringLiteral("끝내기")))
{
    POS1->setVisible(false);
}
