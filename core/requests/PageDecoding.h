#pragma once

#include <QByteArray>
#include <QString>

// The text of a page's bytes in the character set a browser would pick: the one its byte-order
// mark names (UTF-8, UTF-16), else the charset of the Content-Type header, else the one a <meta> tag names near the start of the page, else code
// page 949. The Korean labels (euc-kr, ks_c_5601-1987, cp949 ...) all mean code page 949.
QString DecodePage(const QByteArray& bytes, const QByteArray& contentType);
