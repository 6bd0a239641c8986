#include "Quillane_Kibon.h"

namespace {

constexpr int ClientWidth = 500;
constexpr int ClientHeight = 598;

} // namespace

Tfrm_Kibon::Tfrm_Kibon(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통 기본정보입력"));
    setFixedSize(ClientWidth, ClientHeight);
}

Tfrm_Kibon::~Tfrm_Kibon() = default;

void Tfrm_Kibon::FormShow() {}

void Tfrm_Kibon::SendIdentityCheck() {}
