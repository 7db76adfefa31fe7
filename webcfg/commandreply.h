#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a device's web interface answers and what the client sends it, as pure functions.
namespace commandreply {

enum class Answer {
    TooShort,    // at most one character: the command ends by time-out
    Unsupported, // "该交易不支持": done, the sequence goes on
    Ok,          // begins with "OK"
    Login,       // "login": wrong credentials
    Relogin,     // "relogin": no valid session
    Unknown,
};

// Interprets a 2xx body in the order the device's answers must be told apart.
Answer interpret(const QString &text);

struct DeviceDatetime
{
    QString datetime; // "yyyy-MM-dd hh:mm:ss" as the device sends it
    int ntpSet = 0;   // 2 when an NTP server is reported (a ticked check box)
    QString ntpServer;
};

// "OK", one separator, then date, time and NTP fields by position: "name=value" joined by "&".
DeviceDatetime parseDatetimeGet(const QString &text);

// "username=<user>&password=<32 hex digits of the DES cipher text under "pdju">".
QByteArray loginBody(const QString &user, const QString &password);

// The Content-Disposition of the one part of a firmware upload.
QByteArray uploadDisposition(const QString &fileName);

// "Date=yyyy-MM-dd&Time=hh:mm:ss&Ntp=" and the server when synchronisation is on.
QByteArray datetimeSetBody(const QDateTime &datetime, bool ntpOn, const QString &ntpServer);

// A fingerprint reader whose firmware text sorts (as text) up to "5.2.06" offers only the upload.
bool isOldFingerprintReader(const QString &deviceType, const QString &firmware);

} // namespace commandreply
