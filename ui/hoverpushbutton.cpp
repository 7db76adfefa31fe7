#include "ui/hoverpushbutton.h"

HoverPushButton::HoverPushButton(QWidget *parent) : QPushButton(parent) {}

HoverPushButton::~HoverPushButton() = default;

// The style sheet's :hover look does not depend on these handlers, so the base ones are skipped.
void HoverPushButton::enterEvent(HoverEnterEvent *)
{
    emit hoverEnter();
}

void HoverPushButton::leaveEvent(QEvent *)
{
    emit hoverLeave();
}
