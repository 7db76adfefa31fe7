#include "devsim/webcommands.h"

#include "crypto/credentialcipher.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace {

constexpr char kPasswordKey[] = "pdju";
constexpr int kPasswordCipherBytes = 16;
constexpr char kOk[] = "OK";
constexpr char kSeparator = ';';
const QByteArray kRelogin = "relogin";
const QByteArray kLoginRefused = "login";
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kTimeFormat = QStringLiteral("hh:mm:ss");

// "a=1&b=2" into its values by name; values are taken as sent (the tool does not encode them).
QHash<QByteArray, QByteArray> formFields(const QByteArray &body)
{
    QHash<QByteArray, QByteArray> fields;
    for (const QByteArray &pair : body.split('&')) {
        const int eq = pair.indexOf('=');
        if (eq > 0)
            fields.insert(pair.left(eq), pair.mid(eq + 1));
    }
    return fields;
}

} // namespace

const QString WebCommands::kUnsupported = QStringLiteral("该交易不支持");

WebCommands::WebCommands(QString userName, QString password, QString ntpServer)
    : user(std::move(userName)),
      passwordHex(
          credentialcipher::encrypt(password.toUtf8(), kPasswordKey).left(kPasswordCipherBytes).toHex()),
      ntp(std::move(ntpServer))
{
}

WebCommands::Answer WebCommands::handle(const QString &command, const QByteArray &body,
                                        const QByteArray &cookieHeader, const QByteArray &file, bool hasFile)
{
    if (command == QLatin1String("login"))
        return login(body);
    const bool known = command == QLatin1String("datetime_get") || command == QLatin1String("datetime_set") ||
                       command == QLatin1String("upload") || command == QLatin1String("logout");
    if (!known)
        return {kUnsupported.toUtf8(), {}};
    if (!hasSession(cookieHeader))
        return {kRelogin, {}};
    if (command == QLatin1String("datetime_get"))
        return datetimeGet();
    if (command == QLatin1String("datetime_set"))
        return datetimeSet(body);
    if (command == QLatin1String("upload")) {
        if (!hasFile)
            return {"ERROR no upload part", {}};
        uploaded = file.size();
        return {kOk, {}};
    }
    for (const QByteArray &part : cookieHeader.split(';'))
        sessions.remove(part.trimmed());
    return {kOk, {}};
}

QDateTime WebCommands::now() const
{
    return QDateTime::currentDateTime().addSecs(clockOffsetSecs);
}

WebCommands::Answer WebCommands::login(const QByteArray &body)
{
    const QHash<QByteArray, QByteArray> fields = formFields(body);
    if (QString::fromUtf8(fields.value("username")) != user || fields.value("password") != passwordHex)
        return {kLoginRefused, {}};
    const QByteArray token =
        QCryptographicHash::hash(QByteArray::number(nextSession++) +
                                     QByteArray::number(QRandomGenerator::global()->generate64()),
                                 QCryptographicHash::Sha1)
            .toHex();
    const QByteArray cookie = QByteArray(kCookieName) + '=' + token;
    sessions.insert(cookie);
    return {kOk, cookie + "; Path=/"};
}

WebCommands::Answer WebCommands::datetimeGet() const
{
    const QDateTime clock = now();
    return {QByteArray(kOk) + kSeparator + "Date=" + clock.toString(kDateFormat).toLatin1() +
                "&Time=" + clock.toString(kTimeFormat).toLatin1() + "&Ntp=" + ntp.toLatin1(),
            {}};
}

WebCommands::Answer WebCommands::datetimeSet(const QByteArray &body)
{
    const QHash<QByteArray, QByteArray> fields = formFields(body);
    const QDate date = QDate::fromString(QString::fromLatin1(fields.value("Date")), kDateFormat);
    const QTime time = QTime::fromString(QString::fromLatin1(fields.value("Time")), kTimeFormat);
    if (!date.isValid() || !time.isValid() || !fields.contains("Ntp"))
        return {"ERROR Date=yyyy-MM-dd&Time=hh:mm:ss&Ntp= expected", {}};
    clockOffsetSecs = QDateTime::currentDateTime().secsTo(QDateTime(date, time));
    ntp = QString::fromLatin1(fields.value("Ntp"));
    return {kOk, {}};
}

bool WebCommands::hasSession(const QByteArray &cookieHeader) const
{
    for (const QByteArray &part : cookieHeader.split(';'))
        if (sessions.contains(part.trimmed()))
            return true;
    return false;
}
