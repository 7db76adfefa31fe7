#include "ui/iplineedit.h"

#include "ui/ipv4text.h"

#include <QDebug>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace {

constexpr int boxCount = 4;
constexpr int lastBox = boxCount - 1;
constexpr int octetDigits = 3;
constexpr int boxPadding = 6;

} // namespace

IPLineEdit::IPLineEdit(QWidget *parent) : QLineEdit(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    validator = new QRegularExpressionValidator(QRegularExpression(ipv4text::octetPattern), this);

    for (int i = 0; i < boxCount; ++i) {
        auto *box = new QLineEdit(this);
        box->setAlignment(Qt::AlignHCenter);
        box->setFrame(false);
        box->setValidator(validator);
        box->installEventFilter(this);
        layout->addWidget(box);
        _inputList.append(box);
        connect(box, &QLineEdit::textChanged, this, &IPLineEdit::inputTextChanged);
        if (i < lastBox) {
            auto *dot = new QLabel(QStringLiteral("."), this);
            dot->setMaximumWidth(dot->sizeHint().width());
            layout->addWidget(dot);
        }
    }
    setReadOnly(true);
    // Measured once the event loop runs, with the font the widget finally has.
    QTimer::singleShot(0, this, &IPLineEdit::setEditWidth);
}

IPLineEdit::~IPLineEdit() = default;

QString IPLineEdit::text() const
{
    QStringList parts;
    for (const QLineEdit *box : _inputList)
        parts << box->text();
    return parts.join(QLatin1Char('.'));
}

void IPLineEdit::setText(const QString &text)
{
    const QStringList parts = ipv4text::boxTexts(text);
    for (int i = 0; i < boxCount && i < parts.size(); ++i)
        _inputList[i]->setText(parts[i]);
}

bool IPLineEdit::isTextValid(const QString &strIP)
{
    return ipv4text::isValid(strIP);
}

void IPLineEdit::setEditWidth()
{
    const int width =
        QFontMetrics(_inputList[0]->font()).horizontalAdvance(QStringLiteral("999")) + boxPadding;
    for (QLineEdit *box : _inputList)
        box->setFixedWidth(width);
}

void IPLineEdit::turn2NextEdit(QLineEdit *curEdit)
{
    const int i = _inputList.indexOf(curEdit);
    if (i < 0 || i >= lastBox || curEdit->hasSelectedText() || curEdit->text().isEmpty())
        return;
    QLineEdit *next = _inputList[i + 1];
    next->selectAll();
    next->setFocus();
}

void IPLineEdit::inputTextChanged(const QString &text)
{
    auto *box = qobject_cast<QLineEdit *>(sender());
    if (text.size() >= octetDigits && _inputList.contains(box))
        turn2NextEdit(box);
}

bool IPLineEdit::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    const int i = _inputList.indexOf(box);
    if (event->type() != QEvent::KeyPress || i < 0)
        return QLineEdit::eventFilter(watched, event);

    const int key = static_cast<QKeyEvent *>(event)->key();
    qDebug() << "Key:" << key;
    switch (key) {
    case Qt::Key_Period:
        if (i < lastBox)
            turn2NextEdit(box);
        break;
    case Qt::Key_Backspace:
        if (box->text().isEmpty() && i > 0) {
            _inputList[i - 1]->setFocus();
            _inputList[i - 1]->setCursorPosition(_inputList[i - 1]->text().size());
        }
        break;
    case Qt::Key_Left:
        if (box->cursorPosition() == 0 && i > 0) {
            _inputList[i - 1]->setFocus();
            _inputList[i - 1]->setCursorPosition(_inputList[i - 1]->text().size());
        }
        break;
    case Qt::Key_Right:
        if (box->cursorPosition() == box->text().size() && i < lastBox) {
            _inputList[i + 1]->setFocus();
            _inputList[i + 1]->setCursorPosition(0);
        }
        break;
    default:
        break;
    }
    // Never consumed: the box still gets the key.
    return false;
}
