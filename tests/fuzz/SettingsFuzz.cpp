// Any settings file read, changed and written back: every other line survives the change.
#include "core/settings/IniDocument.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    IniDocument document = IniDocument::FromBytes(bytes);
    static_cast<void>(document.Value(QStringLiteral("기본정보"), QStringLiteral("개국약사명")));
    static_cast<void>(document.Value(QStringLiteral("명절"), QStringLiteral("알림체크")));

    QString error;
    if (!document.SetValue(QStringLiteral("기본정보"), QStringLiteral("푸른등대"),
                           QStringLiteral("똠방각하"), error))
        return 0;
    const IniDocument reread = IniDocument::FromBytes(document.ToBytes());
    if (reread.Value(QStringLiteral("기본정보"), QStringLiteral("푸른등대")) !=
        QStringLiteral("똠방각하"))
        __builtin_trap();
    return 0;
}
