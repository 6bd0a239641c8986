#include "quillane_holiday.h"

namespace {

constexpr int ClientWidth = 500;
constexpr int ClientHeight = 600;

} // namespace

Tfrm_holiday::Tfrm_holiday(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 공휴일"));
    setFixedSize(ClientWidth, ClientHeight);
}
