#include "ctl/output/displaywidth.h"

#include <uniwidth.h>

int displayWidth(const QString &text)
{
    // A non-CJK encoding name: characters of ambiguous width count as one column.
    return u16_strwidth(reinterpret_cast<const uint16_t *>(text.utf16()), "UTF-8");
}
