#pragma once

#include <QString>
#include <QStringList>

// The text rules of the four-box IPv4 editor, without the widget.
namespace ipv4text {

// What one octet box lets the user type, as its validator's expression.
extern const QString octetPattern;

// True exactly for four decimal numbers 0 to 255 of one to three digits, joined by dots.
bool isValid(const QString &text);

// The four box texts of a valid address, in order; empty for any other text.
QStringList boxTexts(const QString &text);

} // namespace ipv4text
