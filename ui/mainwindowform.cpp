#include "ui/mainwindowform.h"

#include "ui/hoverpushbutton.h"
#include "ui/iplineedit.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int detailWidth = 250;
constexpr int searchRowPointSize = 12;

QPalette titleBarPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Window, QColor(85, 170, 255));
    palette.setColor(QPalette::Inactive, QPalette::Window, QColor(240, 240, 240));
    palette.setColor(QPalette::Disabled, QPalette::Window, QColor(240, 240, 240));
    return palette;
}

QPalette detailPalette()
{
    QPalette palette;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, Qt::white);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, Qt::black);
    return palette;
}

} // namespace

void Ui_MainWindow::setupUi(QMainWindow *MainWindow)
{
    MainWindow->setObjectName(QStringLiteral("MainWindow"));
    MainWindow->resize(496, 328);
    MainWindow->setMinimumSize(400, 300);
    MainWindow->setMaximumSize(1300, 800);
    MainWindow->setWindowIcon(QIcon(QStringLiteral(":/Pelm.ico")));
    MainWindow->setLayoutDirection(Qt::LeftToRight);
    MainWindow->setAutoFillBackground(false);

    centralwidget = new QWidget(MainWindow);
    centralwidget->setObjectName(QStringLiteral("centralwidget"));
    verticalLayout_2 = new QVBoxLayout(centralwidget);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(0);
    verticalLayout_2->setContentsMargins(1, 1, 1, 0);
    mainLayout = new QVBoxLayout();
    mainLayout->setObjectName(QStringLiteral("mainLayout"));
    mainLayout->setSpacing(0);

    titleBar = new QWidget(centralwidget);
    titleBar->setObjectName(QStringLiteral("titleBar"));
    titleBar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    titleBar->setAutoFillBackground(true);
    titleBar->setPalette(titleBarPalette());
    mainLayout->addWidget(titleBar);

    splitter = new QSplitter(centralwidget);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setOrientation(Qt::Horizontal);
    splitter->setHandleWidth(1);
    tableWidget = new QTableWidget(splitter);
    tableWidget->setObjectName(QStringLiteral("tableWidget"));
    splitter->addWidget(tableWidget);
    Detail = new QFrame(splitter);
    Detail->setObjectName(QStringLiteral("Detail"));
    Detail->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    Detail->setMinimumWidth(detailWidth);
    Detail->setMaximumWidth(detailWidth);
    Detail->setAutoFillBackground(true);
    Detail->setPalette(detailPalette());
    splitter->addWidget(Detail);
    cLB = new QPushButton(Detail);
    cLB->setObjectName(QStringLiteral("cLB"));
    cLB->setFlat(true);
    mainLayout->addWidget(splitter);

    hSearchLayout = new QHBoxLayout();
    hSearchLayout->setObjectName(QStringLiteral("hSearchLayout"));
    hSearchLayout->setContentsMargins(-1, -1, -1, 0);
    QFont font;
    font.setPointSize(searchRowPointSize);
    Search = new QPushButton(centralwidget);
    Search->setObjectName(QStringLiteral("Search"));
    Search->setFont(font);
    lSingleIP = new QLabel(centralwidget);
    lSingleIP->setObjectName(QStringLiteral("lSingleIP"));
    lSingleIP->setFont(font);
    lSingleIP->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    singleSearch = new HoverPushButton(centralwidget);
    singleSearch->setObjectName(QStringLiteral("singleSearch"));
    singleSearch->setFont(font);
    singleSearch->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    leSingleIP = new IPLineEdit(centralwidget);
    leSingleIP->setObjectName(QStringLiteral("leSingleIP"));
    leSingleIP->setFont(font);
    leSingleIP->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    leSingleIP->setAlignment(Qt::AlignCenter);
    hSearchLayout->addWidget(Search);
    hSearchLayout->addWidget(lSingleIP);
    hSearchLayout->addWidget(singleSearch);
    hSearchLayout->addWidget(leSingleIP);
    mainLayout->addLayout(hSearchLayout);

    verticalLayout_2->addLayout(mainLayout);
    MainWindow->setCentralWidget(centralwidget);

    statusbar = new QStatusBar(MainWindow);
    statusbar->setObjectName(QStringLiteral("statusbar"));
    MainWindow->setStatusBar(statusbar);

    retranslateUi(MainWindow);
    QMetaObject::connectSlotsByName(MainWindow);
}

void Ui_MainWindow::retranslateUi(QMainWindow *MainWindow)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("MainWindow", text); };
    MainWindow->setWindowTitle(tr("Quillon(Morvik Device Config Tool)"));
    cLB->setText(tr(">"));
    Search->setText(tr("搜索设备"));
    lSingleIP->setText(tr("设备地址"));
    singleSearch->setText(tr("指定IP搜索"));
}
