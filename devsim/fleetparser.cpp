#include "devsim/fleetparser.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace {

constexpr int kSerial201Length = 5;
constexpr int kDeviceNumberLength = 5;
constexpr int kFirmwareMax = 20;
constexpr int kClearCredentialMax = 16;
constexpr int kEncryptedCredentialMax = 31;
constexpr int kMaxSerial407 = 0xFFFF;
constexpr int kMaxDoors = 0xFF;
constexpr int kMaxPort = 0xFFFF;

// Reads one device; returns the fault, empty when good.
class DeviceReader
{
public:
    explicit DeviceReader(const QJsonObject &object) : o(object) {}

    QString read(SimDevice &d)
    {
        const QString family = o.value(QStringLiteral("family")).toString();
        if (family == QLatin1String("201"))
            d.family = Family::Old201;
        else if (family == QLatin1String("407"))
            d.family = Family::Plain407;
        else if (family == QLatin1String("407enc"))
            d.family = Family::Encrypted407;
        else
            return QStringLiteral("family must be 201, 407 or 407enc");

        static const QRegularExpression macText(QStringLiteral("^[0-9A-Fa-f]{2}(:[0-9A-Fa-f]{2}){5}$"));
        if (!macText.match(text("mac")).hasMatch())
            return QStringLiteral("mac must be six hex pairs separated by ':'");
        d.mac = QByteArray::fromHex(text("mac").remove(QLatin1Char(':')).toLatin1());

        if (!address("ip", true, d.net.ip) || !address("mask", false, d.net.mask) ||
            !address("gateway", false, d.net.gateway) || !address("serverIp", false, d.net.serverIp) ||
            !address("ntpIp", false, d.ntpIp))
            return fault;
        int value = 0;
        if (!number("port", true, kMaxPort, value))
            return fault;
        d.net.port = quint16(value);
        if (!number("serverPort", false, kMaxPort, value))
            return fault;
        d.net.serverPort = quint16(value);
        if (!number("doors", false, kMaxDoors, value))
            return fault;
        d.doors = quint8(value);

        const QByteArray code = QByteArray::fromHex(text("productCode").toLatin1());
        if (code.size() != 2 || text("productCode").size() != 4)
            return QStringLiteral("productCode must be four hex digits");
        d.productCode = quint16((quint8(code.at(0)) << 8) | quint8(code.at(1)));

        d.serial = text("serial");
        d.deviceNumber = text("deviceNumber");
        d.firmware = text("firmware");
        d.udpUser = text("udpUser");
        d.udpPassword = text("udpPassword");
        d.webUser = text("webUser");
        d.webPassword = text("webPassword");
        const QString familyFault = d.family == Family::Old201 ? check201(d) : check407(d);
        if (!familyFault.isEmpty())
            return familyFault;
        if (o.contains(QLatin1String("fault"))) {
            const std::optional<Fault> kind = fault::parse(text("fault"));
            if (!kind)
                return QStringLiteral("fault must be ") + fault::names();
            d.fault = *kind;
        }
        return readIds(d);
    }

private:
    QString text(const char *key) const { return o.value(QLatin1String(key)).toString(); }

    bool address(const char *key, bool required, quint32 &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() && !required)
            return true;
        QHostAddress parsed;
        if (!v.isString() || !parsed.setAddress(v.toString()) ||
            parsed.protocol() != QAbstractSocket::IPv4Protocol) {
            fault = QStringLiteral("%1 must be a dotted IPv4 address").arg(QLatin1String(key));
            return false;
        }
        out = parsed.toIPv4Address();
        return true;
    }

    bool number(const char *key, bool required, int max, int &out)
    {
        const QJsonValue v = o.value(QLatin1String(key));
        out = 0;
        if (v.isUndefined() && !required)
            return true;
        const double n = v.toDouble(-1);
        if (!v.isDouble() || n < 0 || n > max || n != int(n)) {
            fault = QStringLiteral("%1 must be a whole number from 0 to %2").arg(QLatin1String(key)).arg(max);
            return false;
        }
        out = int(n);
        return true;
    }

    static QString check201(const SimDevice &d)
    {
        if (d.serial.size() > kSerial201Length || d.serial.toLatin1() != d.serial.toUtf8())
            return QStringLiteral("serial of a 201 device is up to five ASCII characters");
        if (d.firmware.size() > kFirmwareMax || d.firmware.toLatin1() != d.firmware.toUtf8())
            return QStringLiteral("firmware is up to twenty ASCII characters");
        if (d.udpUser.toUtf8().size() > kEncryptedCredentialMax ||
            d.udpPassword.toUtf8().size() > kEncryptedCredentialMax)
            return QStringLiteral("udp credentials of a 201 device are up to 31 bytes");
        return {};
    }

    static QString check407(const SimDevice &d)
    {
        bool ok = false;
        const int serial = d.serial.isEmpty() ? 0 : d.serial.toInt(&ok);
        if ((!d.serial.isEmpty() && !ok) || serial < 0 || serial > kMaxSerial407)
            return QStringLiteral("serial of a 407 device is a number from 0 to 65535");
        if (d.deviceNumber.size() > kDeviceNumberLength ||
            d.deviceNumber.toLatin1() != d.deviceNumber.toUtf8())
            return QStringLiteral("deviceNumber is up to five ASCII characters");
        if (!d.firmware.isEmpty())
            return QStringLiteral("a 407 device reports its product code as firmware; leave firmware out");
        if (d.udpUser.toUtf8().size() > kClearCredentialMax ||
            d.udpPassword.toUtf8().size() > kClearCredentialMax)
            return QStringLiteral("udp credentials of a 407 device are up to 16 bytes");
        return {};
    }

    QString readIds(SimDevice &d)
    {
        const QByteArray snid = QByteArray::fromHex(text("snid").toLatin1());
        const QByteArray txid = QByteArray::fromHex(text("txid").toLatin1());
        if (!o.contains(QLatin1String("snid")) && !o.contains(QLatin1String("txid")))
            return {};
        if (d.family != Family::Encrypted407)
            return QStringLiteral("snid and txid belong to 407enc devices only");
        if (snid.size() != int(d.snid.size()) || text("snid").size() != snid.size() * 2)
            return QStringLiteral("snid must be 32 hex digits");
        if (txid.size() != int(d.txid.size()) || text("txid").size() != txid.size() * 2)
            return QStringLiteral("txid must be 16 hex digits");
        std::copy(snid.begin(), snid.end(), d.snid.begin());
        std::copy(txid.begin(), txid.end(), d.txid.begin());
        return {};
    }

    const QJsonObject &o;
    QString fault;
};

} // namespace

FleetParse parseFleet(const QByteArray &json)
{
    FleetParse result;
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        result.error = QStringLiteral("not JSON: %1").arg(parseError.errorString());
        return result;
    }
    const QJsonValue list = doc.object().value(QStringLiteral("devices"));
    if (!list.isArray() || list.toArray().isEmpty()) {
        result.error = QStringLiteral("no \"devices\" list");
        return result;
    }
    QSet<QByteArray> macs;
    QSet<quint32> ips;
    const QJsonArray entries = list.toArray();
    for (int i = 0; i < entries.size(); ++i) {
        SimDevice device;
        QString fault = entries.at(i).isObject() ? DeviceReader(entries.at(i).toObject()).read(device)
                                                 : QStringLiteral("not an object");
        if (fault.isEmpty() && macs.contains(device.mac))
            fault = QStringLiteral("mac used twice");
        if (fault.isEmpty() && ips.contains(device.net.ip))
            fault = QStringLiteral("ip used twice");
        if (!fault.isEmpty()) {
            result.error = QStringLiteral("device %1: %2").arg(i).arg(fault);
            result.devices.clear();
            return result;
        }
        macs.insert(device.mac);
        ips.insert(device.net.ip);
        result.devices.append(device);
    }
    return result;
}
