#include "ctl/plan/addressallocation.h"

#include "ctl/args/addressargs.h"
#include "ctl/ctltext.h"

namespace {
constexpr quint64 kLastAddress = 0xFFFFFFFE;
}

Checked<QVector<quint32>> allocateAddresses(quint32 start, int step, int count)
{
    if (count <= 0)
        return {{}, QString()};
    const quint64 last = quint64(start) + quint64(step) * quint64(count - 1);
    if (step <= 0 || last > kLastAddress)
        return Checked<QVector<quint32>>::failed(
            Ctl::tr("--start-ip/--step: %1 addresses from %2, %3 apart, run past 255.255.255.254")
                .arg(QString::number(count), dottedText(start), QString::number(step)));
    QVector<quint32> addresses;
    addresses.reserve(count);
    for (int i = 0; i < count; ++i)
        addresses << quint32(start + quint64(step) * quint64(i));
    return {addresses, QString()};
}
