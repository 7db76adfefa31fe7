#pragma once

#include <QString>

// Every message to the user: an information box without buttons that closes itself after
// closeAfterMs. Returns when it has closed.
void showNoticeBox(const QString &title, const QString &text, int closeAfterMs);
