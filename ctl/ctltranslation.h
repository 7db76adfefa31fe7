#pragma once

class QCoreApplication;
class QTranslator;

// Installs the embedded catalogue for the user's interface languages (simplified Chinese for
// zh_CN and the like); English stays when none matches.
void installCtlTranslation(QCoreApplication &app, QTranslator &translator);
