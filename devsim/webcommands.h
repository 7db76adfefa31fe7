#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>

// One device's web command interface, without the HTTP around it: "/command/<name>" with a
// body (and, for the upload, the file's bytes) in, the answer text and a login cookie out.
// Not thread-safe; the server serialises calls.
class WebCommands
{
public:
    struct Answer
    {
        QByteArray text;
        QByteArray setCookie; // "name=value; Path=/" after a good login, else empty
    };

    static constexpr char kCookieName[] = "QSESSION";
    static const QString kUnsupported; // "该交易不支持"

    WebCommands(QString user, QString password, QString ntpServer);

    // cookieHeader: the request's Cookie header as sent; file: the upload's part, if any.
    Answer handle(const QString &command, const QByteArray &body, const QByteArray &cookieHeader,
                  const QByteArray &file = {}, bool hasFile = false);

    // The device clock, which "datetime_set" moves.
    QDateTime now() const;
    QString ntpServer() const { return ntp; }
    qint64 uploadedBytes() const { return uploaded; }

private:
    Answer login(const QByteArray &body);
    Answer datetimeGet() const;
    Answer datetimeSet(const QByteArray &body);
    bool hasSession(const QByteArray &cookieHeader) const;

    QString user;
    QByteArray passwordHex; // what a good login carries: 16 DES bytes under "pdju", in hex
    QString ntp;
    qint64 clockOffsetSecs = 0;
    qint64 uploaded = -1;
    QSet<QByteArray> sessions;
    quint64 nextSession = 1;
};
