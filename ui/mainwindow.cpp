#include "ui/mainwindow.h"

#include "discovery/webfirmware.h"
#include "ui/devicetablecolumns.h"
#include "ui/hoverpushbutton.h"
#include "ui/mainwindowform.h"
#include "ui/windowsize.h"

#include <QCloseEvent>
#include <QDebug>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

constexpr int tradeWaitMs = 7000;
constexpr int singleSearchWindowMs = 3000;

constexpr int cLBWidth = 15;
constexpr int cLBHeight = 40;
constexpr int cLBExpandedInset = 310;
constexpr int cLBCollapsedInset = 15;

const QString mwStyle = QStringLiteral(
    "QMainWindow{background-color:rgb(240,240,240);color:rgb(0,0,0);border: 1px solid rgb(0,0,0);}");
const QString BtnStyle = QStringLiteral("QPushButton{background-color:rgb(255,255,255);color:rgb(255,170,0);"
                                        "border: 1px solid rgb(255,255,255);font: bold 12px;}");
const QString titleBarStyle = QStringLiteral(
    "#titleBar {background-color: #55aaff; color: #fff; border-bottom: 1px solid #555}"
    "#titleLabel { font-size: 12px;}"
    "#setupButton { background:transparent; border: none; }#setupButton:hover {background-color:#1A86DB; }"
    "#minimizeButton { background:transparent; border: none; }#minimizeButton:hover "
    "{background-color:#1A86DB;  }"
    "#maximizeButton { background:transparent; border: none; }#maximizeButton:hover "
    "{background-color:#1A86DB; }"
    "#closeButton {background:transparent; border: none; }#closeButton:hover {background-color:#E81123; }"
    "QPushButton:pressed {padding-top:2px;padding-left:1px; }");

int cLBTop(int windowHeight)
{
    return (windowHeight - 20) / 2 - 20;
}

QRect screenGeometryOf(QWidget *widget)
{
    const QWindow *window = widget->window()->windowHandle();
    const QScreen *screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::screenAt(widget->mapToGlobal(QPoint()));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    initSearchSocket();

    ui = new Ui_MainWindow;
    ui->setupUi(this);

    InitConcurrent();
    bMaximize = false;
    setWindowFlags(Qt::FramelessWindowHint);

    const QRect rect = screenGeometryOf(ui->titleBar);
    qDebug() << "Screen geometry:" << rect;
    const WindowSizes sizes = windowSizesFor(rect);
    MaxW = sizes.maxW;
    MaxH = sizes.maxH;
    MiniW = sizes.miniW;
    MiniH = sizes.miniH;
    centerPoint = sizes.centerPoint;
    setMinimumSize(MiniW, MiniH);
    setMaximumSize(MaxW, MaxH);
    resize(MiniW, MiniH);
    qDebug("maxh:%d,maxw:%d,minih:%d,miniw:%d", MaxH, MaxW, MiniH, MiniW);
    moveCentreTo(centerPoint);

    setTitleBar(ui->titleBar);
    ui->titleBar->setStyleSheet(titleBarStyle);

    ui->mainLayout->setSpacing(0);
    ui->mainLayout->setContentsMargins(0, 0, 0, 0);
    ui->centralwidget->setContentsMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    setStyleSheet(mwStyle);
    ui->tableWidget->setFocusPolicy(Qt::ClickFocus);
    ui->Detail->setFocusPolicy(Qt::ClickFocus);

    setTableWidget(0, tablecolumn::count);
    connect(ui->tableWidget, &QTableWidget::itemClicked, this, [this](QTableWidgetItem *) {
        cur_row = ui->tableWidget->currentRow();
        refreshFrame(0);
    });
    setTableMenu();

    setSearchRow();

    ui->Detail->setFrameStyle(0);
    ui->cLB->setGeometry(width() - cLBExpandedInset, cLBTop(height()), cLBWidth, cLBHeight);
    ui->cLB->setStyleSheet(BtnStyle);
    ui->cLB->setText(QStringLiteral(">"));
    ui->cLB->setFlat(true);

    setFrame();

    timSender = new QTimer;
    timSender->setInterval(tradeWaitMs);
    connect(timSender, SIGNAL(timeout()), this, SLOT(onTimeOutNetcfg()));
    timSenderWebcfg = new QTimer;
    timSenderWebcfg->setInterval(tradeWaitMs);
    connect(timSenderWebcfg, SIGNAL(timeout()), this, SLOT(onTimeOutWebcfg()));
    timSearch = new QTimer;
    timSearch->setInterval(singleSearchWindowMs);
    connect(timSearch, SIGNAL(timeout()), this, SLOT(onTimeOutSearch()));

    manager = new QNetworkAccessManager(this);
    // Devices sit on the installer's LAN; a proxy from the environment would take the login
    // and its cookies elsewhere.
    manager->setProxy(QNetworkProxy::NoProxy);

    statusBar()->setStyleSheet(QStringLiteral("QStatusBar::item{border: 0px}"));
}

MainWindow::~MainWindow()
{
    stopReceiver();
    releaseSearchSocket();
    // Parentless by design; stopped and freed here so that no time-out reaches a dead window.
    for (QTimer *timer : {timSender, timSenderWebcfg, timSearch}) {
        timer->stop();
        delete timer;
    }
    delete ui;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    qDebug() << "MainWindow is about to close.";
    stopReceiver();
    QMainWindow::closeEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent *)
{
    const int inset = detailExpand ? cLBExpandedInset : cLBCollapsedInset;
    ui->cLB->setGeometry(width() - inset, cLBTop(height()), cLBWidth, cLBHeight);
}

void MainWindow::on_cLB_clicked()
{
    if (detailExpand) {
        ui->cLB->setGeometry(width() - cLBCollapsedInset, cLBTop(height()), cLBWidth, cLBHeight);
        detailExpand = false;
        ui->cLB->setText(QStringLiteral("<"));
    } else {
        ui->cLB->setGeometry(width() - cLBExpandedInset, cLBTop(height()), cLBWidth, cLBHeight);
        detailExpand = true;
        ui->cLB->setText(QStringLiteral(">"));
    }
}

void MainWindow::moveCentreTo(const QPoint &centre)
{
    QRect frame = frameGeometry();
    frame.moveCenter(centre);
    move(frame.topLeft());
}

void MainWindow::setInteractionLocked(bool locked)
{
    interactionLocked = locked;
    // Unlocking derives each state from what it follows, so a change made meanwhile (the end
    // of the single-IP search window, a refilled form) is not undone.
    netCfg->setEnabled(!locked);
    webCfg->setEnabled(!locked && offersWebInterface(le_fw->text()));
    ui->Search->setEnabled(!locked && searchMode != 'S');
    ui->singleSearch->setEnabled(!locked && searchMode != 'S');
    ui->tableWidget->setEnabled(!locked);
}
