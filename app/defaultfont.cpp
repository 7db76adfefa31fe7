#include "app/defaultfont.h"

#include <QApplication>
#include <QDebug>
#include <QFontDatabase>

void setDefaultFont(QApplication *app)
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/NotoSans_SemiCondensed-Regular.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    for (int i = 0; i < families.size(); ++i) {
        if (i == 0) {
            QFont font = app->font();
            font.setFamily(families.at(i));
            font.setPixelSize(15);
            QApplication::setFont(font);
        }
        qDebug() << "defaultFont:" << families.at(i);
    }
}
