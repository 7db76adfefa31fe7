#pragma once

#include <QFont>
#include <QHash>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStyledItemDelegate>

#include <array>
#include <bitset>
#include <optional>

// The default item delegate, remembering the size hint of every text it has measured. Sizing
// a table's sections to their contents asks for the hint of every cell again at each layout,
// and measuring a text (shaping it) is nearly all of that work. For views whose cells differ
// only in text and alignment and do not wrap, in one style; a new font starts afresh.
class CachedSizeDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // The height of a cell showing text with that alignment when it is known without measuring:
    // the text was measured before, or it is one line of characters that the font's own face
    // holds, which makes it as high as any other such line measured before. -1 otherwise.
    int knownHeight(const QString &text, int alignment) const;
    // Forgets every text's size, so that texts no longer shown do not stay; what was learned of
    // the font (its characters' advances, which pairs it kerns) stays.
    void clear();

private:
    using Key = QPair<QString, int>; // text, alignment
    // Forgets everything and learns which characters the font's own face holds.
    void learnFont(const QFont &font) const;
    // One line of printable Latin-1 characters, each in the font's own face (no fallback).
    bool isPlainLine(const QString &text) const;
    // The width shaping would give a plain ASCII line, summed from its characters' advances;
    // -1 when a pair of neighbours in it is kerned or joined.
    qreal summedWidth(const QString &text, const QFont &font) const;
    bool setApart(QChar left, QChar right, const QFont &font) const;
    qreal advance(QChar c, const QFont &font) const;

    mutable std::optional<QFont> learnedFont;
    mutable QHash<Key, QSize> sizes;
    mutable std::bitset<256> inFace; // Latin-1 characters the font's own face holds
    mutable int plainLineHeight = -1;
    // ASCII characters' advances, those measured marked.
    mutable std::array<qreal, 128> advances{};
    mutable std::bitset<128> advanceKnown;
    // Pairs of ASCII characters (left * 128 + right) shaped together, those set apart (as
    // their two advances) marked.
    mutable std::bitset<128 * 128> pairKnown;
    mutable std::bitset<128 * 128> pairApart;
    // A cell's width beyond its text's, by alignment.
    mutable QHash<int, int> textMargins;
};
