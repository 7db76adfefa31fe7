#pragma once

class HoverPushButton;
class IPLineEdit;
class QFrame;
class QHBoxLayout;
class QLabel;
class QMainWindow;
class QPushButton;
class QSplitter;
class QStatusBar;
class QTableWidget;
class QVBoxLayout;
class QWidget;

// The window's widget tree, built by hand: title bar, splitter with table and detail panel,
// search row, status bar. The widgets belong to the window's parent tree.
class Ui_MainWindow
{
public:
    QWidget *centralwidget = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;
    QVBoxLayout *mainLayout = nullptr;
    QWidget *titleBar = nullptr;
    QSplitter *splitter = nullptr;
    QTableWidget *tableWidget = nullptr;
    QFrame *Detail = nullptr;
    QPushButton *cLB = nullptr;
    QHBoxLayout *hSearchLayout = nullptr;
    QPushButton *Search = nullptr;
    QLabel *lSingleIP = nullptr;
    HoverPushButton *singleSearch = nullptr;
    IPLineEdit *leSingleIP = nullptr;
    QStatusBar *statusbar = nullptr;

    void setupUi(QMainWindow *MainWindow);
    void retranslateUi(QMainWindow *MainWindow);
};
