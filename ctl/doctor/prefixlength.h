#pragma once

#include <QtAlgorithms>

// The leading one bits of an IPv4 mask in host order: 24 for 255.255.255.0.
inline int prefixLength(quint32 mask)
{
    return int(qCountLeadingZeroBits(quint32(~mask)));
}
