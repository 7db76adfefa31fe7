#pragma once

#include <QString>

// quillonctl's output: UTF-8 whatever the locale says, written at once.
namespace console {

void out(const QString &text); // standard output: results, for people and scripts
void err(const QString &text); // standard error: progress, errors, advice

bool outIsTerminal();
bool errIsTerminal();

} // namespace console
