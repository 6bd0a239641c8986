#include "StorableText.h"

#include <QLineEdit>
#include <QStringEncoder>
#include <algorithm>

namespace {

bool IsLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

QString WithoutLineBreaks(QString text)
{
    text.removeIf(IsLineBreak);
    return text;
}

} // namespace

bool IsStorableText(const QString& text)
{
    if (std::any_of(text.cbegin(), text.cend(), IsLineBreak))
        return false;
    // ICU's "windows-949" is the full code page 949; its "CP949" lacks the extra syllables. The
    // text is encoded when the result is taken, which sets the encoder's error.
    QStringEncoder encoder("windows-949");
    const QByteArray encoded = encoder.encode(text);
    return !encoder.hasError();
}

void KeepOnOneLine(QLineEdit& box)
{
    QObject::connect(&box, &QLineEdit::textEdited, &box, [&box](const QString& text) {
        if (std::none_of(text.cbegin(), text.cend(), IsLineBreak))
            return;
        const qsizetype cursor = WithoutLineBreaks(text.left(box.cursorPosition())).size();
        box.setText(WithoutLineBreaks(text));
        box.setCursorPosition(static_cast<int>(cursor));
    });
}
