#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

// The basic-information window's background: every caption of the window and the boxes on which
// its text boxes sit, 500 x 598.

// One caption of the picture and the rectangle it is drawn into.
struct BasicInfoCaption
{
    QString text;
    QRect place;
};

// The captions, from the top of the picture down.
const QList<BasicInfoCaption>& BasicInfoCaptions();

// The boxes drawn under the text boxes and the address line.
const QList<QRect>& BasicInfoFieldBoxes();

QImage BasicInfoBackground();
