#include "quillane_Zipcode.h"

namespace {

constexpr int ClientWidth = 450;
constexpr int ClientHeight = 253;

} // namespace

Tfrm_zipcode::Tfrm_zipcode(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 우편번호"));
    setFixedSize(ClientWidth, ClientHeight);
}
