// A served page as the browser stand-in reads it: decoding by header, byte-order mark and meta
// tag, the rendered text, and the immediate-refresh target. Like the stand-in, it reads no page
// larger than MaxPageBytes.
#include "core/requests/MetaRefresh.h"
#include "core/requests/PageDecoding.h"
#include "core/requests/PageSizeLimit.h"
#include "core/requests/PageText.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first line, when there is one, is the Content-Type header; the rest is the body.
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype lineEnd = input.indexOf('\n');
    const QByteArray contentType = lineEnd < 0 ? QByteArray() : input.left(lineEnd);
    const QByteArray body = lineEnd < 0 ? input : input.mid(lineEnd + 1);
    if (body.size() > MaxPageBytes)
        return 0;

    const QString html = DecodePage(body, contentType);
    static_cast<void>(DocumentOuterText(html));
    static_cast<void>(ImmediateRefreshTarget(html));
    return 0;
}
