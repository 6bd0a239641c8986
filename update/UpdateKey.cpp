#include "update/UpdateKey.h"

QByteArray UpdatePublicKey()
{
    return QByteArray::fromHex(QUILLANE_UPDATE_PUBLIC_KEY);
}
