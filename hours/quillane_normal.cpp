#include "quillane_normal.h"

namespace {

constexpr int ClientWidth = 500;
constexpr int ClientHeight = 600;

} // namespace

Tfrm_normal::Tfrm_normal(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 정상 근무시간"));
    setFixedSize(ClientWidth, ClientHeight);
}
