#pragma once

#include <QStringList>

class QCoreApplication;
class QTranslator;

// The catalogue names tried for the given interface languages, in order: "pelm_zh_CN", ...
QStringList translationBaseNames(const QStringList &uiLanguages);

// Loads the first catalogue under ":/i18n/" that exists for uiLanguages and installs it in app.
// Returns the base name that was installed, or an empty text when none loaded.
QString installTranslation(QCoreApplication &app, QTranslator &translator, const QStringList &uiLanguages);
