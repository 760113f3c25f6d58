// The labour-value edit dialog of the basket: the time field's check, and
// the close box, which cancels.

#include "basket/LabourEditDlg.h"
#include "platform/OrmelText.h"
#include "support/TestEnv.h"
#include "support/TestMain.h"

#include <QLineEdit>
#include <QtTest>

class TestLabourEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void timeField_data();
    void timeField();
    void closeBoxCancels();
};

void TestLabourEdit::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestLabourEdit::timeField_data()
{
    // Row: the time field at opening, as entered -> accepted.
    QTest::addColumn<QString>("atOpening");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<bool>("valid");
    // clang-format off
    QTest::newRow("whole number")        << "AZ" << "12"  << true;
    QTest::newRow("AZ again")            << "AZ" << "AZ"  << true;
    QTest::newRow("decimal")             << "AZ" << "1.5" << false;
    QTest::newRow("lower case")          << "AZ" << "az"  << false;
    QTest::newRow("emptied")             << "AZ" << ""    << false;
    QTest::newRow("empty at opening")    << ""   << "x"   << true;
    // clang-format on
}

void TestLabourEdit::timeField()
{
    QFETCH(QString, atOpening);
    QFETCH(QString, entered);
    QFETCH(bool, valid);
    QCOMPARE(CLabourEditDlg::IsValidTimeField(atOpening, entered), valid);
}

void TestLabourEdit::closeBoxCancels()
{
    CWkLabourEdit fields;
    fields.Number = QStringLiteral("1110021");
    fields.AwText1 = QStringLiteral("Zuendspulen pruefen");
    fields.AzField = QStringLiteral("AZ");
    CLabourEditDlg dlg(fields);
    dlg.show();
    dlg.findChild<QLineEdit *>(QStringLiteral("text1"))->setText(QStringLiteral("geaendert"));
    // An invalid time field would stop OK: the close box never asks.
    dlg.findChild<QLineEdit *>(QStringLiteral("azField"))->setText(QStringLiteral("1.5"));
    dlg.close();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!dlg.isVisible());
    QVERIFY(!dlg.findChild<QLineEdit *>(QStringLiteral("text1"))->text().isEmpty());
    // The time field is locked when it was empty at opening.
    fields.AzField.clear();
    CLabourEditDlg locked(fields);
    QVERIFY(!locked.findChild<QLineEdit *>(QStringLiteral("azField"))->isEnabled());
}

YAQ_TEST_MAIN(TestLabourEdit)
#include "tst_labouredit.moc"
