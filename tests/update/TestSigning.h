#pragma once

#include <QByteArray>

// Signature files made with the tests' fixed key (tests/data/update/test-update-key.pem), whose
// public half the tests' builds carry.

// The signature file that vouches for the package as that version.
QByteArray TestSignatureFor(const QByteArray& package, qint64 version);
