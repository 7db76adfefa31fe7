// Arbitrary texts through the address editor's rules: the whole-address check that setText
// applies, and the octet boxes' validator. Whatever the editor lets through must become the
// four bytes of a setting trade, never a refused or shifted field.
#include "netcfg/tradeframes.h"
#include "ui/ipv4text.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <cstddef>
#include <cstdint>

namespace {

constexpr int boxCount = 4;
constexpr int maxOctet = 255;

// 1 to 3 decimal digits, at most 255; an empty box counts as 0 where emptyIsZero.
int octetValue(const QString &text, bool emptyIsZero)
{
    if (text.isEmpty())
        return emptyIsZero ? 0 : -1;
    if (text.size() > 3)
        return -1;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= maxOctet ? value : -1;
}

void checkFieldBytes(const QStringList &boxes)
{
    const std::optional<QByteArray> bytes = tradeframes::ipv4Field(boxes.join(QLatin1Char('.')));
    if (!bytes || bytes->size() != boxCount)
        __builtin_trap();
    for (int i = 0; i < boxCount; ++i)
        if (quint8(bytes->at(i)) != octetValue(boxes[i], true))
            __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));

    // A text setText accepts fills four boxes of one to three digits each.
    const QStringList boxes = ipv4text::boxTexts(text);
    if (ipv4text::isValid(text) != !boxes.isEmpty())
        __builtin_trap();
    if (!boxes.isEmpty()) {
        if (boxes.size() != boxCount || boxes.join(QLatin1Char('.')) != text)
            __builtin_trap();
        for (const QString &box : boxes)
            if (octetValue(box, false) < 0)
                __builtin_trap();
        checkFieldBytes(boxes);
    }

    // The same text cut into four boxes as typed: each keeps what its validator does not refuse.
    static const QRegularExpressionValidator validator{QRegularExpression(ipv4text::octetPattern)};
    const QStringList typed = text.split(QLatin1Char('.'));
    QStringList kept;
    bool allAcceptable = true;
    for (int i = 0; i < boxCount; ++i) {
        QString box = typed.value(i);
        int position = box.size();
        const QValidator::State state = validator.validate(box, position);
        if (state == QValidator::Invalid)
            box.clear();
        else if (octetValue(box, true) < 0)
            __builtin_trap();
        allAcceptable = allAcceptable && state == QValidator::Acceptable;
        kept << box;
    }
    checkFieldBytes(kept);
    // Four finished boxes read back through setText unchanged.
    if (allAcceptable && ipv4text::boxTexts(kept.join(QLatin1Char('.'))) != kept)
        __builtin_trap();
    return 0;
}
