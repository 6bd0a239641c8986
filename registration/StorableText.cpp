#include "StorableText.h"

#include "QtCodePage949.h"

#include <QLineEdit>
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
    return ToCodePage949Exactly(text).has_value();
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
