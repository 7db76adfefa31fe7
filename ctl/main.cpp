#include "ctl/ctltranslation.h"
#include "ctl/dispatcher.h"

#include <QCoreApplication>
#include <QTranslator>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quillonctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));
    QTranslator own;
    QTranslator qt;
    installCtlTranslation(app, own, qt);
    return runQuillonctl(QCoreApplication::arguments());
}
