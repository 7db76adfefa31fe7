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
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString qtCatalogues = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString qtCatalogues = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    if (qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), qtCatalogues))
        app.installTranslator(&qt);
}
