#pragma once

#include "devsim/simdevice.h"

#include <QByteArray>
#include <QSet>

// One device's side of the configuration trades: the login of its family, the setting trades
// held until logout-and-restart, and the restart that applies them. Works on plain requests;
// the frame cipher of the encrypted family is undone and redone around it.
class TradeSession
{
public:
    static constexpr char kAccepted = 'A';
    static constexpr char kRefused = 'N';

    struct Outcome
    {
        bool answered = false;  // false: not meant for this device, it stays silent
        QByteArray reply;       // 1 byte, 7 bytes ('A'/'N' and the MAC) or the framed payload
        bool restarted = false; // the held settings are now the device's
        NetSettings before;     // the settings before a restart
    };

    // Addresses a setting trade may not give the device (the lab's own hosts).
    explicit TradeSession(QSet<quint32> forbiddenAddresses = {}) : forbidden(std::move(forbiddenAddresses)) {}

    // atOldAddress: the request reached the address the device left at its last restart; only
    // the encrypted family's sign-off, which follows the restart, is answered there.
    Outcome handle(SimDevice &device, const QByteArray &request, bool atOldAddress = false);

    bool isLoggedIn() const { return loggedIn; }

private:
    Outcome handlePlain(SimDevice &device, const QByteArray &request);
    Outcome handleFramed(SimDevice &device, const QByteArray &request, bool atOldAddress);
    Outcome handle201(SimDevice &device, const QByteArray &request);

    // The common part: 'A' or 'N'; sets *restart when a logout-and-restart was accepted.
    char settingOrLogout(const QByteArray &body, bool *restart);
    bool holdSetting(const QByteArray &setting);
    Outcome restart(SimDevice &device, QByteArray reply);

    QSet<quint32> forbidden;
    bool loggedIn = false;
    NetSettings pending;
};
