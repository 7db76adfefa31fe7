#pragma once

#include <QPushButton>

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
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
};
