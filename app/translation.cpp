#include "app/translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

QStringList translationBaseNames(const QStringList &uiLanguages)
{
    QStringList names;
    for (const QString &language : uiLanguages)
        names << QStringLiteral("pelm_") + QLocale(language).name();
    return names;
}

QString installTranslation(QCoreApplication &app, QTranslator &translator, const QStringList &uiLanguages)
{
    for (const QString &baseName : translationBaseNames(uiLanguages)) {
        if (translator.load(QStringLiteral(":/i18n/") + baseName)) {
            app.installTranslator(&translator);
            return baseName;
        }
    }
    return QString();
}
