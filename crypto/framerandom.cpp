#include "crypto/framerandom.h"

#include "crypto/framecipher.h"

#include <openssl/rand.h>

namespace framecipher {

namespace {

// Mixed into the generator before every draw; it does not shape the frame.
constexpr char kSeed[] = "7302916485";

} // namespace

QByteArray drawFrameRandom()
{
    RAND_seed(kSeed, int(sizeof kSeed - 1));
    RAND_status();
    QByteArray draw(kDrawSize, '\0');
    RAND_bytes(reinterpret_cast<unsigned char *>(draw.data()), draw.size());
    return draw;
}

} // namespace framecipher
