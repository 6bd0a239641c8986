#include "core/localdb/JetUsageMap.h"

namespace {

// A bitmap map: its kind (0) and the number of the first page it covers, then the bits.
constexpr unsigned char BitmapMap = 0;
constexpr unsigned int BitmapMapHeader = 5;

} // namespace

bool UsageMapReadable(const MdbTableDef& table)
{
    if (table.usage_map == nullptr || table.map_sz == 0)
        return false;
    return table.usage_map[0] != BitmapMap || table.map_sz >= BitmapMapHeader;
}
