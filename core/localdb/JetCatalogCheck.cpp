#include "core/localdb/JetCatalogCheck.h"

#include "core/localdb/JetUsageMap.h"

#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace {

using TablePtr = std::unique_ptr<MdbTableDef, decltype(&mdb_free_tabledef)>;
using Blob = std::vector<unsigned char>;

constexpr unsigned long CatalogPage = 2;
// Record types of a blob: property blocks, and the list of property names.
constexpr unsigned LastBlockType = 0x02;
constexpr unsigned NamesType = 0x80;

std::size_t Int16At(const unsigned char* bytes)
{
    return std::size_t{bytes[0]} | std::size_t{bytes[1]} << 8;
}

std::size_t Int32At(const unsigned char* bytes)
{
    return Int16At(bytes) | Int16At(bytes + 2) << 16;
}

// The list of names: each a length of two bytes and the name.
bool NamesEnd(const unsigned char* names, std::size_t length)
{
    std::size_t position = 0;
    while (position < length) {
        if (length - position < 2 || Int16At(names + position) > length - position - 2)
            return false;
        position += 2 + Int16At(names + position);
    }
    return true;
}

// A block: six bytes of header with the length of the block's name, the name, and properties of
// an eight-byte header each (their own length first) and a value.
bool BlockEnds(const unsigned char* block, std::size_t length)
{
    if (length < 6)
        return false;
    std::size_t position = 6 + Int16At(block + 4);
    while (position < length) {
        if (length - position < 8 || Int16At(block + position) < 8)
            return false;
        position += Int16At(block + position);
    }
    return true;
}

// A blob: "KKD" or "MR2" and records of a six-byte header each (their length, then their type).
// libmdb leaves other blobs alone.
bool RecordsEnd(const Blob& blob)
{
    if (blob.size() < 4 ||
        (std::memcmp(blob.data(), "KKD", 4) != 0 && std::memcmp(blob.data(), "MR2", 4) != 0))
        return true;
    std::size_t position = 4;
    while (position < blob.size()) {
        const std::size_t left = blob.size() - position;
        if (left < 6)
            return false;
        const std::size_t length = Int32At(&blob[position]);
        const std::size_t type = Int16At(&blob[position + 4]);
        if (length < 6 || length > left)
            return false;
        const unsigned char* content = &blob[position + 6];
        if (type <= LastBlockType && !BlockEnds(content, length - 6))
            return false;
        if (type == NamesType && !NamesEnd(content, length - 6))
            return false;
        position += length;
    }
    return true;
}

// The blob of the row just fetched, read chunk by chunk as mdb_ole_read_full reads it; nothing
// when its chain runs longer than the file.
std::optional<Blob> PropertyBlob(MdbHandle* mdb, MdbColumn* column, std::size_t fileSize)
{
    char pointer[MDB_MEMO_OVERHEAD];
    std::memcpy(pointer, column->bind_ptr, MDB_MEMO_OVERHEAD);
    const auto* chunk = static_cast<const unsigned char*>(column->bind_ptr);
    std::size_t length = mdb_ole_read(mdb, column, pointer, MDB_BIND_SIZE * 64);
    Blob blob;
    while (length != 0) {
        if (length > fileSize || blob.size() > fileSize - length)
            return std::nullopt;
        blob.insert(blob.end(), chunk, chunk + length);
        length = mdb_ole_read_next(mdb, column, pointer);
    }
    return blob;
}

} // namespace

bool CatalogReadable(MdbHandle* mdb, std::size_t fileSize)
{
    MdbCatalogEntry objects{};
    objects.mdb = mdb;
    objects.object_type = MDB_TABLE;
    objects.table_pg = CatalogPage;
    std::strcpy(objects.object_name, "MSysObjects");
    // Without the table or the column mdb_read_catalog reads no blob either.
    const TablePtr table(mdb_read_table(&objects), &mdb_free_tabledef);
    if (!table || !mdb_read_columns(table.get()))
        return true;
    if (!UsageMapReadable(*table))
        return false;
    std::vector<char> bound(mdb->bind_size);
    int boundLength = 0;
    const int column = mdb_bind_column_by_name(table.get(), const_cast<gchar*>("LvProp"),
                                               bound.data(), &boundLength);
    if (column < 1)
        return true;
    auto* properties = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, column - 1));
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        if (boundLength == 0)
            continue;
        const std::optional<Blob> blob = PropertyBlob(mdb, properties, fileSize);
        if (!blob || !RecordsEnd(*blob))
            return false;
    }
    return true;
}
