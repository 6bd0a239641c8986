#include "FormEncoding.h"

#include <QStringEncoder>

QString FormValue(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar character : value) {
        switch (character.unicode()) {
        case u'%':
            escaped += QStringLiteral("%25");
            break;
        case u'&':
            escaped += QStringLiteral("%26");
            break;
        case u'+':
            escaped += QStringLiteral("%2B");
            break;
        case u'=':
            escaped += QStringLiteral("%3D");
            break;
        default:
            escaped += character;
        }
    }
    return escaped;
}

QByteArray PostData(const QString& body)
{
    // ICU's "windows-949" is the full code page 949; its "CP949" lacks the extra syllables.
    QStringEncoder encoder("windows-949");
    QByteArray bytes = encoder.encode(body);
    bytes.append('\0');
    return bytes;
}
