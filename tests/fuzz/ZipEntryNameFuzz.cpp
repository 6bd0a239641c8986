// Any entry name of an update package: a name that is accepted is one plain file name, as
// Windows would name it (no trailing dots or spaces).
#include "update/ZipEntryName.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString entry = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<QString> name = TopLevelFileName(entry);
    if (!name)
        return 0;
    if (name->isEmpty() || *name == u"." || *name == u".." || name->contains(u'/') ||
        name->contains(u'\\') || name->contains(u':') || name->endsWith(u'.') ||
        name->endsWith(u' '))
        __builtin_trap();
    for (const QChar character : *name)
        if (character.unicode() < 0x20)
            __builtin_trap();
    return 0;
}
