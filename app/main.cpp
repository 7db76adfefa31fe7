#include "app/commandline.h"
#include "app/defaultfont.h"
#include "app/translation.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

int qMain(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_UseDesktopOpenGL, true);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Always on in Qt 6, where the two attributes are deprecated.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
#endif
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUILLON_VERSION));

    // The application object has taken its own options out of argc and argv by now.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    applyLogSwitches(arguments);
    setDefaultFont(&app);

    QTranslator translator;
    const QStringList uiLanguages = QLocale::system().uiLanguages();
    installTranslation(app, translator, uiLanguages);

    MainWindow w;
    w.show();
    return app.exec();
}

int main(int argc, char **argv)
{
    return qMain(argc, argv);
}
