#pragma once

// libmdb's header includes glib inside its extern "C" block, which C++ cannot compile, so glib
// comes first.
#include "core/localdb/Libmdb.h"

#include <cstddef>

// Whether mdb_read_catalog can read the file's catalog to its end. It fetches the rows of the
// catalog table (MSysObjects) through the table's map of data pages, which must be walkable (see
// UsageMapReadable), and reads the property blob of every object (the LvProp column): it follows
// a blob's chain of pages as long as it goes and moves through its records by the length each one
// gives, so a chain that comes back on itself, or a record length of zero, keeps it going until
// memory runs out. A file with such a catalog is damaged; it is refused before the catalog is
// read. fileSize bounds the length of a blob.
bool CatalogReadable(MdbHandle* mdb, std::size_t fileSize);
