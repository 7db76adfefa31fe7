#include "ctl/doctor/subnetcheck.h"

#include "ctl/args/addressargs.h"
#include "ctl/ctltext.h"
#include "ctl/doctor/prefixlength.h"

#include <QStringList>

namespace {

constexpr quint32 kHostMask24 = 0xFFFFFF00;

} // namespace

Finding subnetFinding(const QString &mac, quint32 deviceIp, quint32 deviceMask, const QString &seenThrough,
                      const QVector<AdapterSubnet> &subnets)
{
    Finding f;
    f.topic = Ctl::tr("device %1").arg(mac);
    QStringList nets;
    for (const AdapterSubnet &s : subnets) {
        if ((deviceIp & s.mask) == (s.address & s.mask)) {
            f.text = Ctl::tr("%1 at %2 lies in the subnet of %3").arg(mac, dottedText(deviceIp), s.adapter);
            return f;
        }
        nets << QStringLiteral("%1/%2").arg(dottedText(s.address & s.mask)).arg(prefixLength(s.mask));
    }
    // A mask the device reports that is no mask at all is read as /24.
    const quint32 hostPart = ~deviceMask;
    const quint32 mask =
        deviceMask != 0 && (hostPart & (hostPart + 1)) == 0 && hostPart > 2 ? deviceMask : kHostMask24;
    const quint32 broadcast = deviceIp | ~mask;
    const quint32 spare = deviceIp == broadcast - 1 ? broadcast - 2 : broadcast - 1;
    f.level = Finding::Level::Problem;
    f.text =
        Ctl::tr("%1 at %2 answers through %3 but lies outside every adapter's subnet (%4): trades to the "
                "407 families go to its own address, through the default route")
            .arg(mac, dottedText(deviceIp), seenThrough, nets.join(QStringLiteral(", ")));
    f.advice =
        Ctl::tr("Give %1 an address of the device's subnet (ip addr add %2/%3 dev %1), or move the device "
                "into yours: quillonctl set %4 --ip ADDRESS --mask MASK")
            .arg(seenThrough, dottedText(spare), QString::number(prefixLength(mask)), mac);
    return f;
}
