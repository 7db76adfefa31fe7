#include "ui/titletext.h"

namespace {

const QString articleNumber = QStringLiteral("217-40351");
// Cut from the end of the name and version, whatever they are: 3.2.2 shows as 3.2, but
// 3.2.10 as "3.2." and 10.1 as 10.
constexpr int droppedCharacters = 2;

} // namespace

QString titleText(const QString &applicationName, const QString &version)
{
    QString title = applicationName + QStringLiteral("  V") + version;
    title.chop(droppedCharacters);
    return title + QStringLiteral("  ") + articleNumber;
}
