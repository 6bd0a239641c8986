#include "quillane_fastival.h"

namespace {

constexpr int ClientWidth = 499;
constexpr int ClientHeight = 599;

} // namespace

Tfrm_fastival::Tfrm_fastival(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 명절 근무시간"));
    setFixedSize(ClientWidth, ClientHeight);
}
