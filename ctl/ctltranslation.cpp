#include "ctl/ctltranslation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

void installCtlTranslation(QCoreApplication &app, QTranslator &translator)
{
    // Tries every entry of the locale's uiLanguages(), most preferred first.
    if (translator.load(QLocale::system(), QStringLiteral("quillonctl"), QStringLiteral("_"),
                        QStringLiteral(":/i18n")))
        app.installTranslator(&translator);
}
