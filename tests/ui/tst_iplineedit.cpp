#include "ui/iplineedit.h"

#include <QApplication>
#include <QtTest>

namespace {

// Keys as "text" (typed characters) or named keys in braces: "{left}", "{right}", "{backspace}".
void press(QWidget *target, const QString &keys)
{
    static const QHash<QString, Qt::Key> named = {
        {"left", Qt::Key_Left}, {"right", Qt::Key_Right}, {"backspace", Qt::Key_Backspace}};
    for (int i = 0; i < keys.size(); ++i) {
        QWidget *focused = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        if (keys[i] == QLatin1Char('{')) {
            const int end = keys.indexOf(QLatin1Char('}'), i);
            QTest::keyClick(focused, named.value(keys.mid(i + 1, end - i - 1)));
            i = end;
        } else {
            QTest::keyClick(focused, keys[i].toLatin1());
        }
    }
}

} // namespace

// The four-box editor as the user types into it: where the focus and the cursor go.
class tst_IPLineEdit : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keyNavigation_data();
    void keyNavigation();
    void setTextRules_data();
    void setTextRules();

private:
    std::unique_ptr<IPLineEdit> editor;
    QList<QLineEdit *> boxes;
};

void tst_IPLineEdit::init()
{
    editor = std::make_unique<IPLineEdit>();
    boxes = editor->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(boxes.size(), 4);
    editor->show();
    QApplication::setActiveWindow(editor.get());
    QVERIFY(QTest::qWaitForWindowActive(editor.get()));
}

void tst_IPLineEdit::cleanup()
{
    editor.reset();
}

void tst_IPLineEdit::keyNavigation_data()
{
    QTest::addColumn<QString>("start"); // boxes filled before typing
    QTest::addColumn<int>("startBox");  // box with the focus, cursor at the end of its text
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text"); // the editor's text afterwards
    QTest::addColumn<int>("focusBox");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("selected");
    // clang-format off
    QTest::newRow("three_digits_advance")   << "..."      << 0 << "192"      << "192..."    << 1 << 0 << false;
    QTest::newRow("advance_selects_next")   << "1.68.0.0" << 0 << "92"       << "192.68.0.0" << 1 << 2 << true;
    QTest::newRow("dot_advances")           << "..."      << 0 << "19."      << "19..."     << 1 << 0 << false;
    QTest::newRow("dot_in_empty_box_stays") << "..."      << 0 << "."        << "..."       << 0 << 0 << false;
    QTest::newRow("dot_in_last_box")        << "1.2.3.4"  << 3 << "."        << "1.2.3.4"   << 3 << 1 << false;
    QTest::newRow("whole_address_typed")    << "..."      << 0 << "10.0.0.1" << "10.0.0.1"  << 3 << 1 << false;
    QTest::newRow("digit_over_255_refused") << "..."      << 0 << "256"      << "25..."     << 0 << 2 << false;
    QTest::newRow("backspace_in_empty_box_goes_back")
        << "12..." << 1 << "{backspace}" << "12..." << 0 << 2 << false;
    QTest::newRow("backspace_deletes_before_going_back")
        << "12.3.." << 1 << "{backspace}{backspace}" << "12..." << 0 << 2 << false;
    QTest::newRow("backspace_in_first_box")  << "..."      << 0 << "{backspace}" << "..."    << 0 << 0 << false;
    QTest::newRow("left_at_start_goes_back") << "12.34.."  << 1 << "{left}{left}{left}" << "12.34.." << 0 << 2 << false;
    QTest::newRow("left_inside_text_stays")  << "12.34.."  << 1 << "{left}"  << "12.34.."  << 1 << 1 << false;
    QTest::newRow("right_at_end_goes_on")    << "12.34.5." << 1 << "{right}" << "12.34.5." << 2 << 0 << false;
    QTest::newRow("right_in_last_box")       << "1.2.3.4"  << 3 << "{right}" << "1.2.3.4"  << 3 << 1 << false;
    // clang-format on
}

void tst_IPLineEdit::keyNavigation()
{
    QFETCH(QString, start);
    QFETCH(int, startBox);
    QFETCH(QString, keys);
    QFETCH(int, focusBox);
    QFETCH(int, cursor);
    QFETCH(bool, selected);
    const QStringList parts = start.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i)
        boxes[i]->setText(parts[i]);
    boxes[startBox]->setFocus();
    boxes[startBox]->deselect();
    boxes[startBox]->end(false);
    QCOMPARE(QApplication::focusWidget(), boxes[startBox]);

    press(boxes[startBox], keys);
    QTEST(editor->text(), "text");
    QCOMPARE(QApplication::focusWidget(), boxes[focusBox]);
    QCOMPARE(boxes[focusBox]->cursorPosition(), cursor);
    QCOMPARE(boxes[focusBox]->hasSelectedText(), selected);
}

void tst_IPLineEdit::setTextRules_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("focusBox");
    // clang-format off
    QTest::newRow("address")                 << "192.168.0.242" << "192.168.0.242" << 2;
    QTest::newRow("short_octets_keep_focus") << "10.1.2.3"      << "10.1.2.3"      << -1;
    QTest::newRow("leading_zeros")           << "001.01.0.255"  << "001.01.0.255"  << 1;
    QTest::newRow("octet_256")               << "192.168.0.256" << "..."           << -1;
    QTest::newRow("three_parts")             << "192.168.0"     << "..."           << -1;
    QTest::newRow("five_parts")              << "192.168.0.1.2" << "..."           << -1;
    QTest::newRow("empty")                   << ""              << "..."           << -1;
    QTest::newRow("spaces")                  << " 192.168.0.1"  << "..."           << -1;
    // clang-format on
}

// Writing an address moves the focus as typing it would: after each box of three digits.
void tst_IPLineEdit::setTextRules()
{
    QFETCH(QString, written);
    QFETCH(int, focusBox);
    editor->setFocus();
    editor->setText(written);
    QTEST(editor->text(), "text");
    QCOMPARE(QApplication::focusWidget(),
             focusBox < 0 ? static_cast<QWidget *>(editor.get()) : boxes[focusBox]);
}

QTEST_MAIN(tst_IPLineEdit)
#include "tst_iplineedit.moc"
