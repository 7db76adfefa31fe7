#include "ui/iplineedit.h"

#include <QtTest>

class tst_IPLineEdit : public QObject
{
    Q_OBJECT
private slots:
    void typedOctet_data();
    void typedOctet();
    void setTextTakesWholeAddresses_data();
    void setTextTakesWholeAddresses();
};

void tst_IPLineEdit::typedOctet_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");

    QTest::newRow("three digits") << "192"
                                  << "192...";
    QTest::newRow("highest") << "255"
                             << "255...";
    QTest::newRow("256 stops at 25") << "256"
                                     << "25...";
    QTest::newRow("300 stops at 30") << "300"
                                     << "30...";
    QTest::newRow("one digit waits") << "7"
                                     << "7...";
    QTest::newRow("leading zero") << "01"
                                  << "01...";
    QTest::newRow("letter refused") << "1a2"
                                    << "12...";
}

// The first box keeps only what its validator lets through.
void tst_IPLineEdit::typedOctet()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    IPLineEdit edit;
    const QList<QLineEdit *> boxes = edit.findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(boxes.size(), 4);
    QTest::keyClicks(boxes.first(), keys);
    QCOMPARE(edit.text(), text);
}

void tst_IPLineEdit::setTextTakesWholeAddresses_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("address") << "10.0.0.1"
                             << "10.0.0.1";
    QTest::newRow("leading zero") << "01.2.3.4"
                                  << "01.2.3.4";
    QTest::newRow("octet too big") << "256.1.1.1"
                                   << "...";
    QTest::newRow("three parts") << "1.2.3"
                                 << "...";
    QTest::newRow("five parts") << "1.2.3.4.5"
                                << "...";
    QTest::newRow("leading space") << " 1.2.3.4"
                                   << "...";
}

void tst_IPLineEdit::setTextTakesWholeAddresses()
{
    QFETCH(QString, input);
    QFETCH(QString, text);
    IPLineEdit edit;
    edit.setText(input);
    QCOMPARE(edit.text(), text);
}

QTEST_MAIN(tst_IPLineEdit)
#include "tst_iplineedit.moc"
