#include "registration/StorableText.h"

#include "core/program/Trimmed.h"
#include "core/text/QtCodePage949.h"
#include "registration/WarningMessage.h"

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

bool AllStorable(std::initializer_list<QLineEdit*> boxes)
{
    for (QLineEdit* box : boxes) {
        if (!IsStorableText(Trimmed(box->text()))) {
            ShowWarning(box->accessibleName() +
                        QStringLiteral("에 사용할 수 없는 문자가 있습니다. 다시 입력해 주십시요"));
            box->setFocus();
            return false;
        }
    }
    return true;
}
