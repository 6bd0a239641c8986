#include "core/requests/PageDecoding.h"

#include "core/text/QtCodePage949.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <optional>

namespace {

// The charset named in a Content-Type value, or empty.
QString CharsetOf(const QString& contentType)
{
    static const QRegularExpression charset(
        QStringLiteral(R"(charset\s*=\s*["']?([A-Za-z0-9_.:\-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    return charset.match(contentType).captured(1);
}

// The charset of a <meta charset> or <meta http-equiv="content-type"> tag within the first
// 1024 bytes, where browsers look for it.
QString MetaCharset(const QByteArray& bytes)
{
    static const QRegularExpression meta(QStringLiteral("<meta\\s[^>]*>"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QString start = QString::fromLatin1(bytes.left(1024));
    for (const QRegularExpressionMatch& tag : meta.globalMatch(start)) {
        const QString charset = CharsetOf(tag.captured(0));
        if (!charset.isEmpty())
            return charset;
    }
    return {};
}

bool IsKoreanLabel(const QString& label)
{
    static const QStringList labels = {
        QStringLiteral("euc-kr"),         QStringLiteral("ks_c_5601-1987"),
        QStringLiteral("ks_c_5601-1989"), QStringLiteral("ksc5601"),
        QStringLiteral("ksc_5601"),       QStringLiteral("csksc56011987"),
        QStringLiteral("iso-ir-149"),     QStringLiteral("korean"),
        QStringLiteral("cp949"),          QStringLiteral("windows-949"),
        QStringLiteral("x-windows-949"),  QStringLiteral("uhc"),
    };
    return labels.contains(label, Qt::CaseInsensitive);
}

// The encoding a byte-order mark names; browsers let it decide before the header and the page.
std::optional<QStringConverter::Encoding> ByteOrderMark(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringConverter::Utf8;
    if (bytes.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    if (bytes.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    return std::nullopt;
}

QString Decode(const QByteArray& bytes, const QString& label)
{
    if (!label.isEmpty() && !IsKoreanLabel(label)) {
        QStringDecoder decoder(label.toLatin1().constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return FromCodePage949(bytes);
}

} // namespace

QString DecodePage(const QByteArray& bytes, const QByteArray& contentType)
{
    if (const std::optional<QStringConverter::Encoding> marked = ByteOrderMark(bytes)) {
        QStringDecoder decoder(*marked); // drops the mark itself
        return decoder.decode(bytes);
    }
    QString label = CharsetOf(QString::fromLatin1(contentType));
    if (label.isEmpty())
        label = MetaCharset(bytes);
    return Decode(bytes, label);
}
