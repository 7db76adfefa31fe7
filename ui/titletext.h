#pragma once

#include <QString>

// The title bar's text: the application name, "  V" and the version less its last two
// characters, then two spaces and the article number.
QString titleText(const QString &applicationName, const QString &version);
