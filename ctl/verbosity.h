#pragma once

// The engine's diagnostics (qDebug and the like) go to standard error only with --verbose;
// otherwise they are dropped, so that output stays what the manual page promises.
void installMessageFilter(bool verbose);
