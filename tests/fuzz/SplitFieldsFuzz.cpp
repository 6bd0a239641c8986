// Splits any text as the answer pages are split and reads past the end of the list on purpose.
#include "core/requests/SplitFields.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList fields;
    const int count = SplitFields(CharSetOf(u"]"), CharSetOf(u" "), text, &fields);
    if (count != fields.size())
        __builtin_trap();
    for (qsizetype index = -1; index <= fields.size() + 1; ++index)
        static_cast<void>(FieldAt(fields, index));
    return 0;
}
