#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

// Records every notice box that opens ("title|text") and closes it at once, so that tests do
// not wait out the boxes' own delay.
class NoticeWatcher
{
public:
    NoticeWatcher()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(widget);
                if (box && box->isVisible() && !closing.contains(box)) {
                    closing << box;
                    notices << box->windowTitle() + QLatin1Char('|') + box->text();
                    box->accept();
                }
            }
            closing.erase(std::remove_if(closing.begin(), closing.end(),
                                         [](const QPointer<QMessageBox> &box) { return box.isNull(); }),
                          closing.end());
        });
        timer.start(20);
    }

    QStringList notices;

private:
    QTimer timer;
    QList<QPointer<QMessageBox>> closing;
};
