#pragma once

#include <QString>
#include <QtGlobal>

// One terminal line of progress, redrawn in place: "[#########...........]  45%  23/50 devices".
// total 0 draws an empty bar.
QString progressBar(qint64 done, qint64 total, const QString &counted);
