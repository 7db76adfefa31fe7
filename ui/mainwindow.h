#pragma once

#include "discovery/devicelist.h"
#include "discovery/devicereply.h"
#include "discovery/intake.h"
#include "engine/tradelink.h"
#include "ui/devicetablecolumns.h"

#include <QByteArrayList>
#include <QFuture>
#include <QHash>
#include <QHostAddress>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <vector>

class Confirmation;
class ConfigTransaction;
class IPLineEdit;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTimer;
class RepaintThrottle;
class QUdpSocket;
class Ui_MainWindow;
class WebSession;
class WorkerObject;

// The one window. It owns the device list, both sockets' state, the trade bookkeeping, the HTTP
// client state, the timers and every widget; its members are defined in the folder of the
// subsystem they belong to.
class MainWindow : public QMainWindow, public TradeLink
{
    Q_OBJECT

public:
    using deviceReply = ::deviceReply;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

public slots:
    void newRecvData(QByteArray newRData, unsigned long newRLen);
    void onTimeOutNetcfg();
    void onTimeOutWebcfg();
    void onTimeOutSearch();
    void on_netCfg_clicked();
    void on_webCfg_clicked();
    void on_Search_clicked();
    void on_cLB_clicked();
    int checkPort(QLineEdit *lePort);
    void onClicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

public:
    // ---- discovery: device list ----
    // `cur_row` while no device is chosen.
    static constexpr int noDeviceRow = 9999;
    // The devices of the current search, by MAC; row i of the table shows record i.
    DeviceList deviceReplys;
    // The reply record i was decoded from (for the encrypted family, the opened payload).
    std::vector<QByteArray> baRecv;
    // Number of records since the search started.
    int devct = 0;
    int cur_row = noDeviceRow;

    // ---- discovery: search control ----
    // Adapter choice and bind of the search socket (first step of the constructor).
    void initSearchSocket();
    // Aborts and deletes the search socket; safe to call twice.
    void releaseSearchSocket();
    // The discovery probe, multicast and broadcast, without emptying the list; the bytes the
    // broadcast took, or -1.
    qint64 sendSearchProbes();
    QUdpSocket *m_qudpSocket = nullptr;
    QHostAddress address{QHostAddress::AnyIPv4};
    quint16 nport = 15367;
    QString mcIP = QStringLiteral("239.255.255.250");
    QString scIP = QStringLiteral("192.168.0.242");
    quint16 orgPort = 15000;
    QString orgIP = QStringLiteral("192.168.0.242");
    unsigned char searchMode = 'M';
    QTimer *timSearch = nullptr;

    // ---- discovery: worker ----
    void InitConcurrent();
    // Ends the receive loop for good: wakes a blocked receive, no restart, waits for the task.
    // Safe to call more than once.
    void stopReceiver();
    QFuture<void> fRecv;
    QLabel *msgLabel = nullptr;
    QLabel *socketS = nullptr;

    // ---- discovery: reply intake and decoders ----
    // Decode a search reply of the older and of the newer family and list the device; 0 when
    // listed, -1 when refused (single-IP filter, full list).
    int append201(QByteArray strData);
    int append407(QByteArray strData);
    // Lists a decoded record; `reply` is kept as its raw bytes. Returns as append201.
    int appendDevice(const deviceReply &record, const QByteArray &reply);
    // Sender of the datagram being taken in, set by the receiver's handler.
    QHostAddress datagramSender;

private:
    // ---- discovery: private helpers ----
    void startReceiver();
    bool refusedBySingleIp(const QString &ipv4) const;
    // The frame log lines of an encrypted reply, or why its frame did not open.
    void logFrame(const intake::Classified &reply) const;
    void logPlacement() const;
    WorkerObject *concurrent_worker_ = nullptr;
    bool receiverStopped = false;
    // Why the search socket could not be bound, shown once the status bar exists.
    QString searchSocketFault;

public:
    // ---- crypto ----
    quint16 aes_encrypt(quint16 x, unsigned char *p);
    quint16 aes_decrypt(quint16 x, unsigned char *p, quint8 dec_type);
    quint16 send_enc(quint16 baHexStrLength, QByteArray &baHexStr);
    quint16 recv_dec(quint16 baHexStrLength, QByteArray &baHexStr, quint8 dec_type);
    QByteArray des_encrypt(const QByteArray &clearText, const QByteArray &key);
    QByteArray des_decrypt(const QByteArray &cipherText, const QByteArray &key);

    // ---- netcfg ----
    // The slot and results of the transaction being run, as it reports them.
    int doResultCount = 0;
    int doResult[10] = {};
    int doSetting[10] = {};
    QString dstMac;
    // Its interval is each trade's time-out.
    QTimer *timSender = nullptr;
    const int SHOW_DELAY = 3000;
    // Trades leave from the search socket, so that their answers reach the receiver.
    bool sendTrade(const QByteArray &datagram, const QHostAddress &to, quint16 port) override;
    // Reply intake hands every trade reply here, once it has logged it; the waiting transaction
    // takes its own.
    void tradeReplyReceived(const intake::Classified &reply, const QHostAddress &from);
    // The transaction on_netCfg_clicked waits for; null while none runs.
    QPointer<ConfigTransaction> netTransaction;
    // Which trade of how many runs, in the status label.
    void showTradeProgress(int slot, int tradeCount, int code);
    // After a successful configuration: watches the search that follows for the device at the
    // requested address and port, and adds to the status label whether it came back.
    void confirmConfiguredDevice(const QString &mac, const QString &ipv4, const QString &port);
    void stopConfirmation();
    // Fed with every decoded search reply; null while no configuration waits for its device.
    QPointer<Confirmation> netConfirmation;

    // ---- webcfg ----
    int webCFG(QString type);
    QNetworkAccessManager *manager = nullptr;
    // The answer awaited by the running sequence; null while none is.
    QNetworkReply *reply = nullptr;
    QStringList webCMD;
    QByteArrayList cmdContents;
    QString webTrade;
    int isWebTradeOver = 1;
    int webLoginRes = 0;
    QVariant variantCookies;
    // Its interval is each command's time-out.
    QTimer *timSenderWebcfg = nullptr;
    QString devDatetime;
    int devNtpSet = 0;
    QString devNtpServerIP;
    // The sequence webCFG waits for; null while none runs.
    QPointer<WebSession> webSession;
    // The login command's body, logged under logLabel.
    QByteArray webLoginBody(const char *logLabel);

    // ---- ui: main window ----
    Ui_MainWindow *ui = nullptr;
    bool bMaximize = false;
    bool detailExpand = true;
    // Keeps the user out of everything that shares the device list and the trade bookkeeping
    // while a transaction or a web sequence waits.
    void setInteractionLocked(bool locked);
    bool interactionLocked = false;
    // Moves the window so that the centre of its frame lies on `centre`.
    void moveCentreTo(const QPoint &centre);

    // ---- ui: device table ----
    void setTableWidget(int row, int column);
    // Places a decoded record by its MAC: replaces the row showing that MAC, else appends.
    // Returns the row index.
    int placeDeviceRow(const deviceReply &record);
    // Sizes a row showing texts (by column) to its contents, as the header's ResizeToContents
    // mode would.
    void fitRowToContents(int row, const QString (&texts)[tablecolumn::count]);
    // The rows' label hint, once measured.
    int rowLabelHint = -1;
    // The table painted at most once a frame while replies arrive.
    RepaintThrottle *tableRepaint = nullptr;
    // Removes every row (the start of a search).
    void clearDeviceTable();
    // Row of each listed MAC address, so that placing a reply never scans the table.
    QHash<QString, int> rowOfMac;

    // ---- ui: device table menu ----
    // Right button on the table: copy a row's MAC, address or texts, open the device's web page,
    // export the list.
    void setTableMenu();
    void showTableMenu(const QPoint &position);
    void copyCell(int row, int column);
    void copyRow(int row);
    void openWebPage(int row);
    void exportDevices(bool asJson);
    // The desktop's browser; tests put their own opener here.
    std::function<bool(const QUrl &)> openUrl;
    // Where to save an export (empty: cancelled); tests answer without a dialog.
    std::function<QString(const QString &suggestedName, const QString &filter)> askExportFile;

    // ---- ui: detail form ----
    void setFrame();
    void refreshFrame(int isClear);
    QLineEdit *le_sn = nullptr;
    QLineEdit *le_fw = nullptr;
    QLineEdit *le_mac = nullptr;
    IPLineEdit *le_ipv4 = nullptr;
    QLineEdit *le_port = nullptr;
    IPLineEdit *le_mask = nullptr;
    IPLineEdit *le_gateway = nullptr;
    IPLineEdit *le_dstip = nullptr;
    QLineEdit *le_dstport = nullptr;
    QLineEdit *le_user = nullptr;
    QLineEdit *le_password = nullptr;
    QPushButton *netCfg = nullptr;
    QPushButton *webCfg = nullptr;

    // ---- ui: title bar ----
    void setTitleBar(QWidget *parent);
    QLabel *m_pIconLabel = nullptr;
    QLabel *m_pTitleLabel = nullptr;
    QPushButton *m_pSetupButton = nullptr;
    QPushButton *m_pMinimizeButton = nullptr;
    QPushButton *m_pMaximizeButton = nullptr;
    QPushButton *m_pCloseButton = nullptr;

    // ---- ui: search row ----
    void setSearchRow();
    QString leSingleIPStyle;
};
