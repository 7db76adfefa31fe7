#pragma once

class QCoreApplication;
class QTranslator;

// Installs the embedded catalogue for the user's interface languages (simplified Chinese for
// zh_CN and the like), and Qt's own for the command-line parser's texts when the system has it;
// English stays when none matches.
void installCtlTranslation(QCoreApplication &app, QTranslator &own, QTranslator &qt);
