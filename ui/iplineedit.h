#pragma once

#include <QLineEdit>
#include <QList>

class QRegularExpressionValidator;

// One IPv4 address as four octet boxes with dots between them. The outer line edit only draws
// the frame; text() and setText() work on the boxes.
class IPLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit IPLineEdit(QWidget *parent = nullptr);
    ~IPLineEdit() override;

    // The four boxes joined by dots, unchecked ("..." when all are empty).
    QString text() const;
    // Writes a valid dotted address into the boxes; anything else changes nothing.
    void setText(const QString &text);
    static bool isTextValid(const QString &strIP);
    void setEditWidth();
    void turn2NextEdit(QLineEdit *curEdit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

public slots:
    void inputTextChanged(const QString &text);

private:
    QList<QLineEdit *> _inputList;
    QRegularExpressionValidator *validator = nullptr;
};
