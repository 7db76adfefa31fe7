#include "support/devsimprocess.h"
#include "support/waituntil.h"
#include "webcfg/commandreply.h"

#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkReply>
#include <QtTest>

namespace {

const QString kDemoFleet = QStringLiteral(QUILLON_SOURCE_DIR "/devsim/fleets/demo.json");
const QString kBase = QStringLiteral("http://192.168.0.242:8080/command/");

// The tool's way of talking to the web interface: POST, form body, the login's cookies after.
class WebClient
{
public:
    QString post(const QString &command, const QByteArray &body)
    {
        QNetworkRequest request(QUrl(kBase + command));
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QStringLiteral("application/x-www-form-urlencoded"));
        if (command != QLatin1String("login"))
            request.setHeader(QNetworkRequest::CookieHeader, cookies);
        return finish(manager.post(request, body), command);
    }

    QString upload(const QByteArray &content)
    {
        auto *multiPart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       commandreply::uploadDisposition(QStringLiteral("fw.bin")));
        part.setBody(content);
        multiPart->append(part);
        QNetworkRequest request(QUrl(kBase + QStringLiteral("upload")));
        request.setHeader(QNetworkRequest::CookieHeader, cookies);
        QNetworkReply *reply = manager.post(request, multiPart);
        multiPart->setParent(reply);
        return finish(reply, QStringLiteral("upload"));
    }

private:
    QString finish(QNetworkReply *reply, const QString &command)
    {
        waitUntil([&] { return reply->isFinished(); });
        const QString text = QString::fromUtf8(reply->readAll());
        if (command == QLatin1String("login") && text.startsWith(QLatin1String("OK")))
            cookies = reply->header(QNetworkRequest::SetCookieHeader);
        reply->deleteLater();
        return text;
    }

    QNetworkAccessManager manager;
    QVariant cookies;
};

} // namespace

class tst_DevsimWeb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(sim.start({QStringLiteral("--fleet"), kDemoFleet})); }

    void sequence_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("loginAnswer");
        QTest::newRow("good_password") << "888888" << int(commandreply::Answer::Ok);
        QTest::newRow("wrong_password") << "123456" << int(commandreply::Answer::Login);
    }
    void sequence()
    {
        QFETCH(QString, password);
        QFETCH(int, loginAnswer);
        WebClient web;
        const QString login =
            web.post(QStringLiteral("login"), commandreply::loginBody(QStringLiteral("admin"), password));
        QCOMPARE(int(commandreply::interpret(login)), loginAnswer);
        if (loginAnswer != int(commandreply::Answer::Ok)) {
            QCOMPARE(web.post(QStringLiteral("datetime_get"), "datetime_get"), QStringLiteral("relogin"));
            return;
        }
        const QDateTime wanted(QDate(2030, 1, 2), QTime(3, 4, 5));
        QCOMPARE(web.post(QStringLiteral("datetime_set"),
                          commandreply::datetimeSetBody(wanted, true, QStringLiteral("192.168.0.1"))),
                 QStringLiteral("OK"));
        const commandreply::DeviceDatetime read =
            commandreply::parseDatetimeGet(web.post(QStringLiteral("datetime_get"), "datetime_get"));
        QVERIFY2(read.datetime.startsWith(QLatin1String("2030-01-02 03:")), qPrintable(read.datetime));
        QCOMPARE(read.ntpSet, 2);
        QCOMPARE(read.ntpServer, QStringLiteral("192.168.0.1"));
        QCOMPARE(web.upload(QByteArray(4096, 'f')), QStringLiteral("OK"));
        QCOMPARE(web.post(QStringLiteral("no_such_command"), "x"), QStringLiteral("该交易不支持"));
        QCOMPARE(web.post(QStringLiteral("logout"), "logout"), QStringLiteral("OK"));
        QCOMPARE(web.post(QStringLiteral("datetime_get"), "datetime_get"), QStringLiteral("relogin"));
    }

private:
    DevsimProcess sim;
};

QTEST_GUILESS_MAIN(tst_DevsimWeb)
#include "tst_devsimweb.moc"
