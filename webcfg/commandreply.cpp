#include "webcfg/commandreply.h"

#include "crypto/credentialcipher.h"

#include <QStringList>

namespace commandreply {

namespace {

constexpr int kDatetimeSkip = 3; // "OK" and the separator
constexpr int kMinNtpField = 5;  // longer than "ntp=" alone
constexpr int kPasswordCipherBytes = 16;
constexpr char kPasswordKey[] = "pdju";

QString valueOf(const QStringList &fields, int index)
{
    if (index >= fields.size())
        return QString();
    const QStringList pieces = fields[index].split(QLatin1Char('='));
    return pieces.size() > 1 ? pieces[1] : QString();
}

} // namespace

Answer interpret(const QString &text)
{
    if (text.size() <= 1)
        return Answer::TooShort;
    if (text == QStringLiteral("该交易不支持"))
        return Answer::Unsupported;
    if (text.startsWith(QLatin1String("OK")))
        return Answer::Ok;
    if (text == QLatin1String("login"))
        return Answer::Login;
    if (text == QLatin1String("relogin"))
        return Answer::Relogin;
    return Answer::Unknown;
}

DeviceDatetime parseDatetimeGet(const QString &text)
{
    const QStringList fields = text.mid(kDatetimeSkip).split(QLatin1Char('&'));
    DeviceDatetime parsed;
    parsed.datetime = valueOf(fields, 0) + QLatin1Char(' ') + valueOf(fields, 1);
    if (fields.size() > 2 && fields[2].size() >= kMinNtpField) {
        parsed.ntpServer = valueOf(fields, 2);
        parsed.ntpSet = 2;
    }
    return parsed;
}

QByteArray loginBody(const QString &user, const QString &password)
{
    const QByteArray cipher = credentialcipher::encrypt(password.trimmed().toUtf8(), kPasswordKey);
    return "username=" + user.trimmed().toUtf8() + "&password=" + cipher.left(kPasswordCipherBytes).toHex();
}

QByteArray uploadDisposition(const QString &fileName)
{
    return "form-data; name=\"upload\"; filename=\"" + fileName.toUtf8() + '"';
}

QByteArray datetimeSetBody(const QDateTime &datetime, bool ntpOn, const QString &ntpServer)
{
    return "Date=" + datetime.toString(QStringLiteral("yyyy-MM-dd")).toUtf8() + "&Time=" +
           datetime.toString(QStringLiteral("HH:mm:ss")).toUtf8() + "&Ntp=" +
           (ntpOn ? ntpServer.trimmed().toUtf8() : QByteArray());
}

bool isOldFingerprintReader(const QString &deviceType, const QString &firmware)
{
    return deviceType == QStringLiteral("指纹机") && firmware.compare(QLatin1String("5.2.06")) <= 0;
}

} // namespace commandreply
