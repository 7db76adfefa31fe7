#include "ui/mainwindow.h"

#include "ui/titletext.h"
#include "ui/windowsize.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QSpacerItem>
#include <QWindow>

namespace {

constexpr int titleBarHeight = 28;
constexpr int iconSide = 26;
constexpr int buttonIconSide = 24;

QPushButton *titleButton(QWidget *parent, const char *objectName, const QString &icon, const QString &tip)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(objectName));
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(buttonIconSide, buttonIconSide));
    button->setFlat(true);
    button->setToolTip(tip);
    return button;
}

} // namespace

void MainWindow::setTitleBar(QWidget *parent)
{
    QApplication::setApplicationName(QStringLiteral("设备助手"));
    parent->setFixedHeight(titleBarHeight);

    m_pIconLabel = new QLabel(parent);
    m_pTitleLabel = new QLabel(parent);
    m_pSetupButton = titleButton(parent, "setupButton", QStringLiteral(":/SetupB.png"), tr("指定IP搜索"));
    m_pMinimizeButton = titleButton(parent, "minimizeButton", QStringLiteral(":/MiniB.png"), tr("最小化"));
    m_pMaximizeButton = titleButton(parent, "maximizeButton", QStringLiteral(":/MaxB.png"), tr("最大化"));
    m_pCloseButton = titleButton(parent, "closeButton", QStringLiteral(":/CloseB.png"), tr("关闭"));

    m_pIconLabel->setPixmap(QPixmap::fromImage(QImage(QStringLiteral(":/Pelm.ico"))));
    m_pIconLabel->setFixedSize(iconSide, iconSide);
    m_pIconLabel->setScaledContents(true);
    m_pTitleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_pTitleLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_pTitleLabel->setText(titleText(QApplication::applicationName(), QStringLiteral(QUILLON_VERSION)));
    m_pTitleLabel->setStyleSheet(QStringLiteral("font-size: 14px;"));

    auto *layout = new QHBoxLayout(parent);
    layout->addWidget(m_pIconLabel);
    layout->addSpacing(5);
    layout->addWidget(m_pTitleLabel);
    layout->addItem(new QSpacerItem(40, titleBarHeight, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->addWidget(m_pSetupButton);
    layout->addSpacing(30);
    layout->addWidget(m_pMinimizeButton);
    layout->addSpacing(20);
    layout->addWidget(m_pMaximizeButton);
    layout->addSpacing(20);
    layout->addWidget(m_pCloseButton);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 1, 0);

    for (QPushButton *button : {m_pSetupButton, m_pMinimizeButton, m_pMaximizeButton, m_pCloseButton})
        connect(button, SIGNAL(clicked(bool)), this, SLOT(onClicked()));
}

void MainWindow::onClicked()
{
    auto *button = qobject_cast<QPushButton *>(sender());
    QWidget *window = m_pTitleLabel->window();
    if (!button || !window->isWindow())
        return;

    bool moveCenter = false;
    if (button == m_pMinimizeButton) {
        window->showMinimized();
    } else if (button == m_pMaximizeButton) {
        if (bMaximize) {
            window->resize(MiniW, MiniH);
            bMaximize = false;
            m_pMaximizeButton->setToolTip(tr("最大化"));
            m_pMaximizeButton->setProperty("maximizeProperty", QStringLiteral("maximize"));
            m_pMaximizeButton->setIcon(QIcon(QStringLiteral(":/MaxB.png")));
        } else {
            window->resize(MaxW, MaxH);
            bMaximize = true;
            m_pMaximizeButton->setToolTip(tr("还原"));
            m_pMaximizeButton->setProperty("maximizeProperty", QStringLiteral("restore"));
            m_pMaximizeButton->setIcon(QIcon(QStringLiteral(":/RestoreB.png")));
        }
        moveCenter = true;
    } else if (button == m_pCloseButton) {
        stopReceiver();
        releaseSearchSocket();
        window->close();
    }
    if (moveCenter)
        moveCentreTo(centerPoint);
}

// The window system moves the frameless window with the pointer until the button is released.
void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (QWidget *grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (isWindow() && windowHandle())
        windowHandle()->startSystemMove();
    event->ignore();
}

void MainWindow::mouseDoubleClickEvent(QMouseEvent *)
{
    emit m_pMaximizeButton->clicked(false);
}
