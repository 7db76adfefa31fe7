#include "ui/cachedsizedelegate.h"

#include <QFontMetricsF>
#include <QRawFont>
#include <QTextLayout>
#include <QtMath>

#include <climits>

namespace {

constexpr ushort firstPrintable = 0x20;
constexpr ushort lastAscii = 0x7E;
constexpr ushort firstPrintableUpper = 0xA0;
constexpr ushort lastLatin1 = 0xFF;
constexpr ushort asciiCount = 0x80;
// The width Qt's item views give a line that is not to be wrapped.
constexpr int unboundedLineWidth = INT_MAX / 256;

// The width of a text laid out on one line, as the style lays out an item's text.
qreal shapedWidth(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(unboundedLineWidth);
    const qreal width = line.naturalTextWidth();
    layout.endLayout();
    return width;
}

} // namespace

QSize CachedSizeDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (option.font != learnedFont)
        learnFont(option.font);
    const Key key(index.data(Qt::DisplayRole).toString(), index.data(Qt::TextAlignmentRole).toInt());
    const auto known = sizes.constFind(key);
    if (known != sizes.constEnd())
        return known.value();
    // A plain line's size follows from its characters' advances once one such line of the same
    // alignment has been measured: shaping each new address or serial number is most of the
    // cost of sizing a long table.
    const bool plain = isPlainLine(key.first);
    const qreal summed = plain ? summedWidth(key.first, option.font) : -1;
    const auto margin = textMargins.constFind(key.second);
    QSize size;
    if (summed >= 0 && margin != textMargins.constEnd() && plainLineHeight >= 0) {
        size = QSize(qCeil(summed) + margin.value(), plainLineHeight);
    } else {
        size = QStyledItemDelegate::sizeHint(option, index);
        if (summed >= 0)
            textMargins.insert(key.second, size.width() - qCeil(shapedWidth(key.first, option.font)));
    }
    sizes.insert(key, size);
    if (plainLineHeight < 0 && plain)
        plainLineHeight = size.height();
    return size;
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

qreal CachedSizeDelegate::summedWidth(const QString &text, const QFont &font) const
{
    qreal width = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i].unicode() > lastAscii)
            return -1;
        if (i > 0 && !setApart(text[i - 1], text[i], font))
            return -1;
        width += advance(text[i], font);
    }
    return width;
}

bool CachedSizeDelegate::setApart(QChar left, QChar right, const QFont &font) const
{
    const std::size_t pair = std::size_t(left.unicode()) * asciiCount + right.unicode();
    if (!pairKnown[pair]) {
        // Advances are multiples of 1/64 pixel: the sum is exact, so any kerning shows.
        pairApart[pair] = shapedWidth(QString(left) + right, font) == advance(left, font) + advance(right, font);
        pairKnown[pair] = true;
    }
    return pairApart[pair];
}

qreal CachedSizeDelegate::advance(QChar c, const QFont &font) const
{
    const ushort slot = c.unicode() % asciiCount;
    if (!advanceKnown[slot]) {
        advances[slot] = QFontMetricsF(font).horizontalAdvance(c);
        advanceKnown[slot] = true;
    }
    return advances[slot];
}

void CachedSizeDelegate::clear()
{
    sizes.clear();
}

void CachedSizeDelegate::learnFont(const QFont &font) const
{
    sizes.clear();
    learnedFont = font;
    const QRawFont face = QRawFont::fromFont(font);
    for (ushort c = firstPrintable; c <= lastLatin1; ++c)
        inFace[c] = (c <= lastAscii || c >= firstPrintableUpper) && face.supportsCharacter(QChar(c));
    plainLineHeight = -1;
    advanceKnown.reset();
    pairKnown.reset();
    pairApart.reset();
    textMargins.clear();
}
