#pragma once

// libmdb's header includes glib inside its extern "C" block, which C++ cannot compile, so glib
// comes first.
#include <cstddef>
#include <glib.h>
#include <mdbtools.h>

// Whether libmdb can read the property blob of every object in the catalog (the LvProp column of
// MSysObjects) to its end. mdb_read_catalog follows a blob's chain of pages as long as it goes and
// moves through its records by the length each one gives: a chain that comes back on itself, or a
// record length of zero, keeps it going until memory runs out. A file with such a blob is
// damaged; it is refused before the catalog is read. fileSize bounds the length of a blob.
bool CatalogPropertiesEnd(MdbHandle* mdb, std::size_t fileSize);
