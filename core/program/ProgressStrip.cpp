#include "ProgressStrip.h"

#include "UpdatePictures.h"

#include <QPixmap>

namespace {

constexpr int ClientWidth = 567;
constexpr int ClientHeight = 40;

} // namespace

Tfrm_Update::Tfrm_Update(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(ClientWidth, ClientHeight);
    for (QLabel* picture : {Image1, Image2}) {
        picture->setGeometry(rect());
        picture->hide();
    }
    Image1->setPixmap(QPixmap::fromImage(UpdateProgressPicture()));
    Image2->setPixmap(QPixmap::fromImage(ImportBannerPicture()));
}
