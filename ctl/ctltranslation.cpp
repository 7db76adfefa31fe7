#include "ctl/ctltranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installCtlTranslation(QCoreApplication &app, QTranslator &own, QTranslator &qt)
{
    // Each load tries every entry of the locale's uiLanguages(), most preferred first.
    const QLocale locale = QLocale::system();
    if (own.load(locale, QStringLiteral("quillonctl"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        app.installTranslator(&own);
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qt);
}
