#include "ZipEntryMode.h"

zip_uint32_t UnixMode(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0 ||
        system != ZIP_OPSYS_UNIX)
        return 0;
    return attributes >> 16;
}
