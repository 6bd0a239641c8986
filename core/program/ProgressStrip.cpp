#include "core/program/ProgressStrip.h"

#include "resources/UpdatePictures.h"

#include <QLabel>
#include <QPixmap>

namespace {

constexpr int ClientWidth = 567;
constexpr int ClientHeight = 40;

QLabel* HiddenPicture(QDialog* strip, const QImage& image, const QString& objectName)
{
    auto* picture = new QLabel(strip);
    picture->setObjectName(objectName);
    picture->setGeometry(strip->rect());
    picture->setPixmap(QPixmap::fromImage(image));
    picture->hide();
    return picture;
}

} // namespace

ProgressStrip::ProgressStrip(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(ClientWidth, ClientHeight);
    updatePicture_ = HiddenPicture(this, UpdateProgressPicture(), QStringLiteral("updatePicture"));
    importPicture_ = HiddenPicture(this, ImportBannerPicture(), QStringLiteral("importPicture"));
}

void ProgressStrip::ShowUpdatePicture()
{
    importPicture_->hide();
    updatePicture_->show();
}

void ProgressStrip::ShowImportPicture()
{
    updatePicture_->hide();
    importPicture_->show();
}
