#include "quillane_fastmsg.h"

namespace {

constexpr int ClientWidth = 350;
constexpr int ClientHeight = 248;

} // namespace

Tfrm_fastmsg::Tfrm_fastmsg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("초록우체통"));
    setFixedSize(ClientWidth, ClientHeight);
}
