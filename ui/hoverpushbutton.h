#pragma once

#include <QPushButton>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using HoverEnterEvent = QEnterEvent;
#else
using HoverEnterEvent = QEvent;
#endif

// A push button that says when the pointer enters and leaves it.
class HoverPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit HoverPushButton(QWidget *parent = nullptr);
    ~HoverPushButton() override;

signals:
    void hoverEnter();
    void hoverLeave();

protected:
    void enterEvent(HoverEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
};
