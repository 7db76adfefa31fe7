#pragma once

#include <QString>

// Columns a text takes on a terminal: East Asian wide and full-width characters (the Chinese
// category names) take two, combining marks none. Control characters are not counted; tables
// replace them before measuring.
int displayWidth(const QString &text);

// The text followed by blanks up to the given number of terminal columns.
QString padded(const QString &text, int columns);
