#pragma once

#include <QPixmap>

// The pictures of the notice that this computer is not registered, drawn rather than loaded.

// The whole notice, 537 x 185: heading 알림 and the text asking to register first.
QPixmap UnregisteredComputerNoticePicture();

// The 확인 button, 146 x 26.
QPixmap UnregisteredComputerNoticeOkButton();
