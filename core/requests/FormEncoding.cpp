#include "core/requests/FormEncoding.h"

#include "core/text/QtCodePage949.h"

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
    QByteArray bytes = ToCodePage949(body);
    bytes.append('\0');
    return bytes;
}
