#include "ui/mainwindow.h"

#include "crypto/credentialcipher.h"
#include "crypto/framecipher.h"
#include "crypto/framelog.h"
#include "crypto/framerandom.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

namespace {

template <std::size_t N> std::array<std::uint8_t, N> arrayOf(const unsigned char (&bytes)[N])
{
    std::array<std::uint8_t, N> a;
    std::copy_n(bytes, N, a.begin());
    return a;
}

} // namespace

quint16 MainWindow::aes_encrypt(quint16 x, unsigned char *p)
{
    if (x > framecipher::kMaxPayload) {
        qDebug() << "aes_encrypt: payload of" << x << "bytes refused, at most" << framecipher::kMaxPayload;
        return 0;
    }
    const QByteArray draw = framecipher::drawFrameRandom();

    // The list grows past 100 entries, so only an index outside it falls back to the first record.
    if (cur_row < 0 || cur_row >= deviceReplys.size())
        cur_row = 0;
    if (deviceReplys.isEmpty()) {
        qDebug() << "aes_encrypt: no device record to take the ids from";
        return 0;
    }
    const deviceReply &record = deviceReplys[cur_row];
    const framecipher::DeviceId snid = arrayOf(record.SNID);
    const framecipher::TransactionId sentId = framecipher::nextTransactionId(arrayOf(record.TXID), snid);

    const QByteArray payload(reinterpret_cast<const char *>(p), x);
    const QByteArray frame = framecipher::buildFrame(payload, sentId, snid, draw);
    if (frame.isEmpty()) {
        qDebug() << "aes_encrypt: the cipher refused the frame";
        return 0;
    }
    std::memcpy(p, frame.constData(), std::size_t(frame.size()));

    logSealedFrame(draw.left(framecipher::kKeySize), sentId, snid, frame);
    return quint16(frame.size());
}

quint16 MainWindow::aes_decrypt(quint16 x, unsigned char *p, quint8 dec_type)
{
    if (x < framecipher::kMinBody)
        return 0;
    const framecipher::OpenedBody opened =
        framecipher::openBody(QByteArray(reinterpret_cast<const char *>(p), x));
    if (!opened.ok) {
        qDebug() << "aes_decrypt: body of" << x << "bytes refused, ciphertext over"
                 << framecipher::kMaxCiphertext << "bytes";
        return 0;
    }
    std::memcpy(p, opened.payload.constData(), std::size_t(opened.payload.size()));

    // A new search reply's record does not exist before it is listed, so only a trade reply's ids
    // find their device here.
    const int index = dec_type == 'U' ? cur_row : devct;
    if (index < 0 || index >= deviceReplys.size() ||
        !deviceReplys.updateIds(deviceReplys[index].mac, opened.transactionId, opened.deviceId))
        qDebug() << "aes_decrypt: no device record" << index << "for the ids, kept nowhere";

    logOpenedFrame(opened.key, opened.payload, opened.transactionId, opened.deviceId);
    return quint16(opened.payload.size());
}

quint16 MainWindow::send_enc(quint16 baHexStrLength, QByteArray &baHexStr)
{
    if (baHexStrLength > framecipher::kMaxPayload || baHexStrLength > baHexStr.size()) {
        qDebug() << "send_enc: trade of" << baHexStrLength << "bytes refused, at most"
                 << framecipher::kMaxPayload;
        baHexStr.clear();
        return 0;
    }
    unsigned char buffer[framecipher::kBlockBufferSize] = {};
    std::memcpy(buffer, baHexStr.constData(), baHexStrLength);
    const quint16 length = aes_encrypt(baHexStrLength, buffer);
    baHexStr = QByteArray(reinterpret_cast<const char *>(buffer), length);
    return length;
}

quint16 MainWindow::recv_dec(quint16 baHexStrLength, QByteArray &baHexStr, quint8 dec_type)
{
    const int available = std::min<int>(baHexStrLength, baHexStr.size()) - framecipher::kHeaderSize;
    if (available < 0) {
        qDebug() << "recv_dec: frame of" << baHexStr.size() << "bytes has no header";
        baHexStr.clear();
        return 0;
    }
    const auto *frame = reinterpret_cast<const unsigned char *>(baHexStr.constData());
    const int n = frame[framecipher::kLengthOffset] << 8 | frame[framecipher::kLengthOffset + 1];
    if (n > available) {
        qDebug() << "recv_dec: body length" << n << "exceeds the" << available << "bytes received";
        baHexStr.clear();
        return 0;
    }
    QByteArray buffer = baHexStr.mid(framecipher::kHeaderSize, n);
    const quint16 length =
        aes_decrypt(quint16(n), reinterpret_cast<unsigned char *>(buffer.data()), dec_type);
    baHexStr = buffer;
    return length;
}

QByteArray MainWindow::des_encrypt(const QByteArray &clearText, const QByteArray &key)
{
    return credentialcipher::encrypt(clearText, key);
}

QByteArray MainWindow::des_decrypt(const QByteArray &cipherText, const QByteArray &key)
{
    return credentialcipher::decrypt(cipherText, key);
}
