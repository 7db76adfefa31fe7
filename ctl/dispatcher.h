#pragma once

#include <QStringList>

// Runs quillonctl with its arguments (the program name first) and returns the exit status:
// the overview, --version, or one command to its end.
int runQuillonctl(const QStringList &arguments);
