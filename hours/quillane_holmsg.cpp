#include "quillane_holmsg.h"

namespace {

constexpr int ClientWidth = 350;
constexpr int ClientHeight = 248;

} // namespace

Tfrm_holmsg::Tfrm_holmsg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통"));
    setFixedSize(ClientWidth, ClientHeight);
}
