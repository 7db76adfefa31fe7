#include "ctl/ctltranslation.h"
#include "ctl/dispatcher.h"

#include <QCoreApplication>
#include <QTranslator>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillonctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QTranslator translator;
    installCtlTranslation(app, translator);
    return runQuillonctl(QCoreApplication::arguments());
}
