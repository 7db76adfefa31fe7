#include "ctl/output/displaywidth.h"

#include <uniwidth.h>

int displayWidth(const QString &text)
{
    // A non-CJK encoding name: characters of ambiguous width count as one column.
    return u16_strwidth(reinterpret_cast<const uint16_t *>(text.utf16()), "UTF-8");
}

QString padded(const QString &text, int columns)
{
    const int missing = columns - displayWidth(text);
    return missing > 0 ? text + QString(missing, QLatin1Char(' ')) : text;
}
