#include "ui/ipv4text.h"

#include <QRegularExpression>

namespace ipv4text {

const QString octetPattern = QStringLiteral("\\b25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]\\b");

namespace {

const QString addressPattern = QStringLiteral(
    "\\b(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\\b");

} // namespace

bool isValid(const QString &text)
{
    static const QRegularExpression whole(QRegularExpression::anchoredPattern(addressPattern));
    return whole.match(text).hasMatch();
}

QStringList boxTexts(const QString &text)
{
    return isValid(text) ? text.split(QLatin1Char('.')) : QStringList();
}

} // namespace ipv4text
