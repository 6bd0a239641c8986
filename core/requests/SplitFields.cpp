#include "core/requests/SplitFields.h"

namespace {

bool Contains(const CharSet& set, QChar character)
{
    return character.unicode() < set.size() && set.test(character.unicode());
}

bool IsQuote(QChar character)
{
    return character == u'"' || character == u'\'';
}

// The text up to its first NUL character, which ends it as it ends a C string.
QStringView UpToNul(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.first(nul);
}

} // namespace

CharSet CharSetOf(QStringView characters)
{
    CharSet set;
    for (const QChar character : characters) {
        if (character.unicode() < set.size())
            set.set(character.unicode());
    }
    return set;
}

int SplitFields(CharSet separators, CharSet whitespace, QStringView text, QStringList* list)
{
    if (text.isEmpty() || list == nullptr)
        return 0;

    whitespace |= CharSetOf(u"\r\n");
    separators |= CharSetOf(u"\r\n\"'");
    separators.set(0);
    const QStringView content = UpToNul(text);
    const auto at = [content](qsizetype index) {
        return index < content.size() ? content.at(index) : QChar(u'\0');
    };

    QStringList fields;
    QChar quote = u'\0';
    qsizetype position = 0;
    bool atEnd = false;
    while (!atEnd) {
        while (position < content.size() && Contains(whitespace, content.at(position)))
            ++position;
        const qsizetype start = position;
        for (;;) {
            while ((quote != u'\0' && at(position) != u'\0' && !IsQuote(at(position))) ||
                   !Contains(separators, at(position)))
                ++position;
            if (!IsQuote(at(position)))
                break;
            quote = quote == at(position) ? QChar(u'\0') : at(position);
            ++position;
        }
        atEnd = at(position) == u'\0';
        fields.append(content.mid(start, position - start).toString());
        ++position;
    }
    list->append(fields);
    return static_cast<int>(fields.size());
}

QString FieldAt(const QStringList& fields, qsizetype index)
{
    return index >= 0 && index < fields.size() ? fields.at(index) : QString();
}
