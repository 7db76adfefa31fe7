#pragma once

class QApplication;

// Makes the embedded Noto Sans SemiCondensed at 15 px the application font.
void setDefaultFont(QApplication *app);
