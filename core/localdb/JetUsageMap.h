#pragma once

// libmdb's header includes glib inside its extern "C" block, which C++ cannot compile, so glib
// comes first.
#include "core/localdb/Libmdb.h"

// Whether libmdb can walk the table's map of data pages: mdb_read_table leaves no map when the
// definition points at an empty row, and a map of the bitmap kind needs its first page number.
// libmdb fetches rows through the map without looking, so such a table is not read.
bool UsageMapReadable(const MdbTableDef& table);
