// Random detail-form texts through the trade planner, for a device of each family as the
// decoders list it. Every request it plans must have the exact layout of its trade: a request
// whose bytes do not match its field sizes would set the wrong value on a device.
#include "netcfg/tradeframes.h"
#include "netcfg/tradeplan.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace tradeframes;

namespace {

constexpr int macBytes = 6;
constexpr int maxTrades = 9;
constexpr int addressSetting = 6;
constexpr int portSetting = 4;
constexpr int plainLogin = 11;
constexpr int framedLogin = 41;
constexpr int encryptedLogin = 77;
constexpr int logoutLength = 7;
constexpr int signOffLength = 9;
constexpr char frameMark = char(0xB7);

struct Field
{
    quint8 code;
    QString NetForm::*form;
    QString deviceReply::*record;
};

const Field settingOrder[] = {
    {kSetIpv4, &NetForm::ipv4, &deviceReply::ipv4},
    {kSetPort, &NetForm::port, &deviceReply::port},
    {kSetMask, &NetForm::mask, &deviceReply::mask},
    {kSetGateway, &NetForm::gateway, &deviceReply::gateway},
    {kSetServerIp, &NetForm::dstIp, &deviceReply::dstIpv4},
    {kSetServerPort, &NetForm::dstPort, &deviceReply::dstPort},
};

void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void checkFramed(const QByteArray &frame)
{
    require(frame.startsWith(frameMark) && frame.endsWith(frameMark));
    const int sumAt = frame.size() - 3;
    require(checksum(frame, 1, sumAt - 1) == (quint8(frame[sumAt]) << 8 | quint8(frame[sumAt + 1])));
}

} // namespace

// Input: one byte for the family, six for the MAC, one whose bits keep record fields equal to
// the form's, then newline-separated texts: the nine form fields, the six record fields and
// the address of the selected row.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2 + macBytes)
        return 0;
    deviceReply record;
    record.protocol = DeviceFamily(data[0] % 4);
    const QByteArray mac(reinterpret_cast<const char *>(data + 1), macBytes);
    record.mac = QString::fromLatin1(mac.toHex(':').toUpper());
    const quint8 sameAsForm = data[1 + macBytes];
    const QList<QByteArray> texts =
        QByteArray(reinterpret_cast<const char *>(data + 2 + macBytes), int(size - 2 - macBytes)).split('\n');
    const auto text = [&](int i) { return QString::fromUtf8(texts.value(i)); };

    NetForm form{text(0), text(1), text(2), text(3), text(4), text(5), text(6), text(7), text(8)};
    for (int i = 0; i < int(std::size(settingOrder)); ++i)
        record.*settingOrder[i].record = (sameAsForm >> i & 1) ? form.*settingOrder[i].form : text(9 + i);
    const TradePlan plan = planTrades(form, record, text(15));
    if (plan.trades.empty()) {
        require(plan.settingCount == 0);
        return 0;
    }

    const bool unicast = tradesByAddress(record.protocol);
    const QByteArray macTail = unicast ? QByteArray() : mac;
    require(int(plan.trades.size()) <= maxTrades && plan.refusedField.isEmpty());
    require(plan.trades.front().code == kLogin);
    const QByteArray &login = plan.trades.front().request;
    if (record.protocol == DeviceFamily::Plain407) {
        require(login.size() == plainLogin);
    } else if (record.protocol == DeviceFamily::Encrypted407) {
        require(login.size() == framedLogin);
        checkFramed(login);
    } else {
        require(login.size() == encryptedLogin && login.endsWith(mac + mac));
    }

    // The settings in their fixed order: all six for the unicast families, else the changed ones.
    int next = 1;
    for (const Field &field : settingOrder) {
        if (!unicast && form.*field.form == record.*field.record)
            continue;
        require(next < int(plan.trades.size()) && plan.trades[next].code == field.code);
        const QByteArray &request = plan.trades[next].request;
        const bool port = field.code == kSetPort || field.code == kSetServerPort;
        require(request.size() == (port ? portSetting : addressSetting) + macTail.size());
        require(request[0] == 0x50 && quint8(request[1]) == field.code && request.endsWith(macTail));
        ++next;
    }
    require(plan.settingCount == next - 1 && plan.settingCount > 0);

    require(plan.trades[next].code == kLogoutRestart);
    const QByteArray &logout = plan.trades[next].request;
    require(logout.size() == logoutLength + (record.protocol == DeviceFamily::Plain407 ? 0 : macBytes));
    require(record.protocol == DeviceFamily::Plain407 || logout.endsWith(mac));
    ++next;
    if (record.protocol == DeviceFamily::Encrypted407) {
        require(plan.trades[next].code == kSignOff && plan.trades[next].request.size() == signOffLength);
        checkFramed(plan.trades[next].request);
        require(plan.trades[next].request.mid(2, 2) == login.mid(2, 2));
        ++next;
    }
    require(next == int(plan.trades.size()));
    return 0;
}
