#pragma once

#include <QString>

// The title bar's text: the application name, "  V" and the version without its last part,
// then the article number.
QString titleText(const QString &applicationName, const QString &version);
