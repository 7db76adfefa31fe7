#include "ctl/args/macaddress.h"

#include "ctl/ctltext.h"

#include <QRegularExpression>

namespace {

constexpr int kMacBytes = 6;
constexpr int kGroupBit = 0x01; // lowest bit of the first byte

} // namespace

Checked<QString> parseMac(const QString &field, const QString &text)
{
    static const QRegularExpression separated(
        QStringLiteral("^([0-9A-Fa-f]{2})([:-])([0-9A-Fa-f]{2})\\2([0-9A-Fa-f]{2})\\2"
                       "([0-9A-Fa-f]{2})\\2([0-9A-Fa-f]{2})\\2([0-9A-Fa-f]{2})$"));
    static const QRegularExpression bare(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    const QString trimmed = text.trimmed();
    QString digits;
    const QRegularExpressionMatch match = separated.match(trimmed);
    if (match.hasMatch()) {
        for (int group : {1, 3, 4, 5, 6, 7})
            digits += match.captured(group);
    } else if (bare.match(trimmed).hasMatch()) {
        digits = trimmed;
    } else {
        return Checked<QString>::failed(
            Ctl::tr("%1: \"%2\" is not a MAC address; write six hexadecimal pairs such as 00:1A:2B:3C:4D:5E")
                .arg(field, text));
    }
    const QByteArray bytes = QByteArray::fromHex(digits.toLatin1());
    if ((quint8(bytes[0]) & kGroupBit) || bytes == QByteArray(kMacBytes, '\0'))
        return Checked<QString>::failed(
            Ctl::tr("%1: \"%2\" is a group or empty MAC address, which no device has").arg(field, text));
    QStringList pairs;
    for (int i = 0; i < kMacBytes; ++i)
        pairs << digits.mid(2 * i, 2).toUpper();
    return {pairs.join(QLatin1Char(':')), QString()};
}
