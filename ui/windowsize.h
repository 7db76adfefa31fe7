#pragma once

#include <QPoint>
#include <QRect>

// Minimum, maximum and start size of the window for a screen, and where it is centred.
struct WindowSizes
{
    int maxW = 0;
    int maxH = 0;
    int miniW = 0;
    int miniH = 0;
    QPoint centerPoint;
};

WindowSizes windowSizesFor(const QRect &screen);

// Written once by the window's constructor, read again by the title bar's maximise button.
extern int MaxW;
extern int MaxH;
extern int MiniW;
extern int MiniH;
extern QPoint centerPoint;
