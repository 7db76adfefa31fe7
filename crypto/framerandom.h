#pragma once

#include <QByteArray>

namespace framecipher {

// A fresh draw of kDrawSize bytes from OpenSSL's generator for one frame (key, filler split and
// the plaintext's random prefix).
QByteArray drawFrameRandom();

} // namespace framecipher
