#pragma once

#include <QByteArray>

// The public key (Ed25519, 32 bytes) that vouches for update packages, as the build carries it;
// empty for a build without one, which takes packages unsigned.
QByteArray UpdatePublicKey();
