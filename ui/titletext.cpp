#include "ui/titletext.h"

namespace {

const QString articleNumber = QStringLiteral("217-40351");

} // namespace

QString titleText(const QString &applicationName, const QString &version)
{
    QString title = applicationName + QStringLiteral("  V") + version;
    // Drops the patch level ("3.2.2" shows as "3.2").
    title.chop(2);
    return title + QStringLiteral("  ") + articleNumber;
}
