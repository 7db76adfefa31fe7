#include "ui/cachedsizedelegate.h"

#include <QRawFont>

namespace {

constexpr ushort firstPrintable = 0x20;
constexpr ushort lastAscii = 0x7E;
constexpr ushort firstPrintableUpper = 0xA0;
constexpr ushort lastLatin1 = 0xFF;

} // namespace

QSize CachedSizeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const Key key(index.data(Qt::DisplayRole).toString(), index.data(Qt::TextAlignmentRole).toInt());
    const auto known = sizes.constFind(key);
    if (known != sizes.constEnd())
        return known.value();
    if (plainLineHeight < 0 && inFace.none()) {
        const QRawFont face = QRawFont::fromFont(option.font);
        for (ushort c = firstPrintable; c <= lastLatin1; ++c)
            if (c <= lastAscii || c >= firstPrintableUpper)
                inFace[c] = face.supportsCharacter(QChar(c));
    }
    const QSize measured = QStyledItemDelegate::sizeHint(option, index);
    sizes.insert(key, measured);
    if (plainLineHeight < 0 && isPlainLine(key.first))
        plainLineHeight = measured.height();
    return measured;
}

int CachedSizeDelegate::knownHeight(const QString &text, int alignment) const
{
    if (plainLineHeight >= 0 && isPlainLine(text))
        return plainLineHeight;
    const auto known = sizes.constFind(Key(text, alignment));
    return known != sizes.constEnd() ? known.value().height() : -1;
}

bool CachedSizeDelegate::isPlainLine(const QString &text) const
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c.unicode() > lastLatin1 || !inFace[c.unicode()])
            return false;
    return true;
}

void CachedSizeDelegate::clear()
{
    sizes.clear();
    inFace.reset();
    plainLineHeight = -1;
}
