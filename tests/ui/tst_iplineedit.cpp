#include "ui/iplineedit.h"

#include <QtTest>

namespace {

QList<QLineEdit *> boxesOf(IPLineEdit &editor)
{
    QList<QLineEdit *> boxes = editor.findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    return boxes;
}

} // namespace

class tst_IPLineEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void setTextAccepts_data();
    void setTextAccepts();
    void setTextRefuses_data();
    void setTextRefuses();
    void typingThreeDigitsAdvances();
    void dotAdvancesWithoutInserting();
    void dotInLastBoxStays();
    void validatorRefusesAbove255();
    void backspaceInEmptyBoxGoesBack();
    void arrowsCrossBoxes();
    void setTextMovesFocusLikeTyping();

private:
    std::unique_ptr<IPLineEdit> editor;
    QList<QLineEdit *> boxes;
};

void tst_IPLineEdit::init()
{
    editor = std::make_unique<IPLineEdit>();
    boxes = boxesOf(*editor);
    QCOMPARE(boxes.size(), 4);
    editor->show();
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor.get()));
}

void tst_IPLineEdit::cleanup()
{
    editor.reset();
}

void tst_IPLineEdit::setTextAccepts_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("usual") << "192.168.0.242" << QStringList{"192", "168", "0", "242"};
    QTest::newRow("leading_zeros") << "01.001.0.255" << QStringList{"01", "001", "0", "255"};
    QTest::newRow("all_zero") << "0.0.0.0" << QStringList{"0", "0", "0", "0"};
}

void tst_IPLineEdit::setTextAccepts()
{
    QFETCH(QString, address);
    QFETCH(QStringList, parts);
    editor->setText(address);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(boxes[i]->text(), parts[i]);
    QCOMPARE(editor->text(), address);
}

void tst_IPLineEdit::setTextRefuses_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("octet_256") << "192.168.0.256";
    QTest::newRow("three_parts") << "192.168.0";
    QTest::newRow("five_parts") << "192.168.0.1.5";
    QTest::newRow("empty") << "";
    QTest::newRow("four_digits") << "1921.168.0.1";
    QTest::newRow("trailing_space") << "192.168.0.1 ";
}

void tst_IPLineEdit::setTextRefuses()
{
    QFETCH(QString, address);
    editor->setText(QStringLiteral("10.1.2.3"));
    editor->setText(address);
    QCOMPARE(editor->text(), QStringLiteral("10.1.2.3"));
    QVERIFY(!IPLineEdit::isTextValid(address));
}

void tst_IPLineEdit::typingThreeDigitsAdvances()
{
    boxes[1]->setText(QStringLiteral("55"));
    boxes[0]->setFocus();
    QTest::keyClicks(boxes[0], QStringLiteral("192"));
    QCOMPARE(boxes[0]->text(), QStringLiteral("192"));
    QVERIFY(boxes[1]->hasFocus());
    QCOMPARE(boxes[1]->selectedText(), QStringLiteral("55"));
}

void tst_IPLineEdit::dotAdvancesWithoutInserting()
{
    boxes[0]->setFocus();
    QTest::keyClicks(boxes[0], QStringLiteral("19"));
    QVERIFY(boxes[0]->hasFocus());
    QTest::keyClick(boxes[0], Qt::Key_Period);
    QCOMPARE(boxes[0]->text(), QStringLiteral("19"));
    QVERIFY(boxes[1]->hasFocus());
    QCOMPARE(boxes[1]->text(), QString());
}

void tst_IPLineEdit::dotInLastBoxStays()
{
    boxes[3]->setFocus();
    QTest::keyClicks(boxes[3], QStringLiteral("7"));
    QTest::keyClick(boxes[3], Qt::Key_Period);
    QVERIFY(boxes[3]->hasFocus());
    QCOMPARE(boxes[3]->text(), QStringLiteral("7"));
}

void tst_IPLineEdit::validatorRefusesAbove255()
{
    boxes[3]->setFocus();
    QTest::keyClicks(boxes[3], QStringLiteral("25"));
    QTest::keyClick(boxes[3], Qt::Key_9);
    QCOMPARE(boxes[3]->text(), QStringLiteral("25"));
    QTest::keyClick(boxes[3], Qt::Key_5);
    QCOMPARE(boxes[3]->text(), QStringLiteral("255"));
}

void tst_IPLineEdit::backspaceInEmptyBoxGoesBack()
{
    editor->setText(QStringLiteral("12.0.0.0"));
    boxes[1]->clear();
    boxes[1]->setFocus();
    QTest::keyClick(boxes[1], Qt::Key_Backspace);
    QVERIFY(boxes[0]->hasFocus());
    QCOMPARE(boxes[0]->cursorPosition(), 2);
    // The key went to the empty box, so the first box keeps both digits.
    QCOMPARE(boxes[0]->text(), QStringLiteral("12"));

    boxes[0]->setFocus();
    QTest::keyClick(boxes[0], Qt::Key_Backspace);
    QCOMPARE(boxes[0]->text(), QStringLiteral("1"));
    QVERIFY(boxes[0]->hasFocus());
}

void tst_IPLineEdit::arrowsCrossBoxes()
{
    editor->setText(QStringLiteral("12.34.56.78"));
    boxes[1]->setFocus();
    boxes[1]->setCursorPosition(0);
    QTest::keyClick(boxes[1], Qt::Key_Left);
    QVERIFY(boxes[0]->hasFocus());
    QCOMPARE(boxes[0]->cursorPosition(), 2);

    QTest::keyClick(boxes[0], Qt::Key_Right);
    QVERIFY(boxes[1]->hasFocus());
    QCOMPARE(boxes[1]->cursorPosition(), 0);

    boxes[3]->setFocus();
    boxes[3]->setCursorPosition(2);
    QTest::keyClick(boxes[3], Qt::Key_Right);
    QVERIFY(boxes[3]->hasFocus());
}

void tst_IPLineEdit::setTextMovesFocusLikeTyping()
{
    editor->setText(QStringLiteral("192.168.0.242"));
    QVERIFY(boxes[2]->hasFocus());
}

QTEST_MAIN(tst_IPLineEdit)
#include "tst_iplineedit.moc"
