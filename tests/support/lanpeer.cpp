// A stand-in for the devices of the lab's lan namespace, driven line by line on stdin:
//   answer HEX...              answer every multicast probe with these datagrams
//   send IP PORT HEX           one datagram ("-" for an empty one)
//   burst IP PORT COUNT HEX    COUNT datagrams, the index written big-endian into bytes 4..7
//   noise IP PORT COUNT SEED   COUNT datagrams of random bytes and random length 0..1100
//   listen PORT HEX...         a unicast device at PORT: answers its n-th datagram with the
//                              n-th HEX (the last one repeats, "-" for silence)
// It prints "ready" once listening and "probe DST SRC SRCPORT TTL HEX" for every datagram that
// reaches the discovery port (multicast) or port 65535 (broadcast), "trade PORT HEX" for every
// datagram reaching a listening port.
#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QSocketNotifier>
#include <QUdpSocket>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr quint16 discoveryPort = 15367;
constexpr quint16 broadcastPort = 65535;
constexpr int burstIndexOffset = 4;
constexpr int maxNoiseLength = 1100;

bool insideLanNamespace()
{
    const char *ns = std::getenv("QUILLON_LAB_LAN_NS");
    if (!ns || !*ns)
        return false;
    struct stat mine {};
    struct stat lan {};
    if (stat("/proc/self/ns/net", &mine) != 0 || stat((std::string("/run/netns/") + ns).c_str(), &lan) != 0)
        return false;
    return mine.st_ino == lan.st_ino && mine.st_dev == lan.st_dev;
}

QByteArray fromHexArgument(const QString &hex)
{
    return hex == QLatin1String("-") ? QByteArray() : QByteArray::fromHex(hex.toLatin1());
}

void print(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    if (!insideLanNamespace()) {
        std::fprintf(stderr, "lanpeer runs only in the lab's lan namespace\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    QUdpSocket multicast;
    QUdpSocket broadcast;
    QUdpSocket sender;
    const QNetworkInterface lanInterface =
        QNetworkInterface::interfaceFromName(QString::fromLocal8Bit(qgetenv("QUILLON_LAB_LAN_IF")));
    if (!multicast.bind(QHostAddress::AnyIPv4, discoveryPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
        || !multicast.joinMulticastGroup(QHostAddress(QStringLiteral("239.255.255.250")), lanInterface)
        || !broadcast.bind(QHostAddress::AnyIPv4, broadcastPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
        || !sender.bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        std::fprintf(stderr, "lanpeer cannot listen: %s %s\n", qPrintable(multicast.errorString()),
                     qPrintable(broadcast.errorString()));
        return 1;
    }

    QList<QByteArray> answers;
    QUdpSocket device;
    QList<QByteArray> tradeAnswers;
    int tradesSeen = 0;
    QObject::connect(&device, &QUdpSocket::readyRead, [&] {
        while (device.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = device.receiveDatagram();
            print(QStringLiteral("trade %1 %2").arg(device.localPort()).arg(QString::fromLatin1(datagram.data().toHex())));
            const QByteArray reply = tradeAnswers.value(std::min(tradesSeen, int(tradeAnswers.size()) - 1));
            ++tradesSeen;
            if (!reply.isEmpty())
                sender.writeDatagram(reply, datagram.senderAddress(), discoveryPort);
        }
    });
    auto report = [&](QUdpSocket &socket, bool answer) {
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram datagram = socket.receiveDatagram();
            print(QStringLiteral("probe %1 %2 %3 %4 %5")
                      .arg(datagram.destinationAddress().toString(), datagram.senderAddress().toString())
                      .arg(datagram.senderPort())
                      .arg(datagram.hopLimit())
                      .arg(QString::fromLatin1(datagram.data().toHex())));
            if (answer && datagram.destinationAddress().isMulticast())
                for (const QByteArray &reply : answers)
                    sender.writeDatagram(reply, datagram.senderAddress(), discoveryPort);
        }
    };
    QObject::connect(&multicast, &QUdpSocket::readyRead, [&] { report(multicast, true); });
    QObject::connect(&broadcast, &QUdpSocket::readyRead, [&] { report(broadcast, false); });

    auto command = [&](const QString &line) {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.value(0) == QLatin1String("answer")) {
            answers.clear();
            for (int i = 1; i < words.size(); ++i)
                answers << fromHexArgument(words.at(i));
        } else if (words.value(0) == QLatin1String("noise") && words.size() == 5) {
            std::mt19937 random(words.at(4).toUInt());
            const QHostAddress to(words.at(1));
            const quint16 port = words.at(2).toUShort();
            for (int i = 0, count = words.at(3).toInt(); i < count; ++i) {
                QByteArray datagram(static_cast<int>(random() % (maxNoiseLength + 1)), '\0');
                for (char &byte : datagram)
                    byte = static_cast<char>(random());
                sender.writeDatagram(datagram, to, port);
            }
        } else if (words.value(0) == QLatin1String("listen") && words.size() >= 3) {
            tradeAnswers.clear();
            tradesSeen = 0;
            for (int i = 2; i < words.size(); ++i)
                tradeAnswers << fromHexArgument(words.at(i));
            device.close();
            if (!device.bind(QHostAddress::AnyIPv4, words.at(1).toUShort())) {
                print(QStringLiteral("cannot listen %1").arg(words.at(1)));
                return;
            }
        } else if (words.value(0) == QLatin1String("send") && words.size() == 4) {
            sender.writeDatagram(fromHexArgument(words.at(3)), QHostAddress(words.at(1)), words.at(2).toUShort());
        } else if (words.value(0) == QLatin1String("burst") && words.size() == 5) {
            QByteArray datagram = fromHexArgument(words.at(4));
            const int count = words.at(3).toInt();
            for (int i = 0; i < count && datagram.size() >= burstIndexOffset + 4; ++i) {
                for (int b = 0; b < 4; ++b)
                    datagram[burstIndexOffset + b] = static_cast<char>((i >> (8 * (3 - b))) & 0xFF);
                sender.writeDatagram(datagram, QHostAddress(words.at(1)), words.at(2).toUShort());
            }
        } else {
            print(QStringLiteral("unknown %1").arg(line));
            return;
        }
        print(QStringLiteral("done %1").arg(words.value(0)));
    };
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char chunk[4096];
        const ssize_t got = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (got <= 0) {
            app.quit();
            return;
        }
        pending.append(chunk, static_cast<int>(got));
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            command(QString::fromLatin1(pending.left(end)));
            pending.remove(0, end + 1);
        }
    });
    print(QStringLiteral("ready"));
    return app.exec();
}
