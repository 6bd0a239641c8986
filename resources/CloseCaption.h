#pragma once

#include <QPainter>
#include <QRectF>

// The look of a close bar's caption: its font and the cross drawn before it.
struct CloseCaptionLook
{
    int fontPixels;
    qreal cross;    // the side of the drawn cross
    qreal gap;      // between the cross and the word
    qreal penWidth; // of the cross
};

// The data windows' close bars.
inline constexpr CloseCaptionLook WindowCloseCaption{12, 8, 5, 1.8};

// A drawn cross followed by CLOSE, in white, centred on face.
void DrawCloseCaption(QPainter& painter, const QRectF& face,
                      const CloseCaptionLook& look = WindowCloseCaption);
