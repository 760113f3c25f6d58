// Dialog helpers: moving and sizing controls, starting another program, and
// the type test of the optional-package editing dialog.

#include "common/DlgUtil.h"

#include "support/TestEnv.h"
#include <QDialog>
#include <QPushButton>

#include <QtTest>

// Stand-ins with the class names the type test looks for.
class CSRPOptBearbDlg : public QDialog
{
    Q_OBJECT
};
class CSRPOptBearbDlgDerived : public CSRPOptBearbDlg
{
    Q_OBJECT
};

class TestDlgUtil : public QObject
{
    Q_OBJECT

private slots:
    void sizeAndMoveControl_data();
    void sizeAndMoveControl();
    void startMissingProgramReportsReasonAndCommand();
    void startExistingProgram();
    void optionalPackageDialogTest();
};

void TestDlgUtil::sizeAndMoveControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("move");
    QTest::addColumn<QRect>("expected");
    // clang-format off
    QTest::newRow("all deltas 0 leave the control")    << QStringLiteral("ok")   << false << QRect(10, 20, 80, 30);
    QTest::newRow("edges grow by their deltas")        << QStringLiteral("ok")   << false << QRect(9, 22, 84, 32);
    QTest::newRow("moving keeps the size")             << QStringLiteral("ok")   << true  << QRect(15, 13, 80, 30);
    QTest::newRow("a missing control changes nothing") << QStringLiteral("none") << true  << QRect(10, 20, 80, 30);
    // clang-format on
}

void TestDlgUtil::sizeAndMoveControl()
{
    QFETCH(QString, name);
    QFETCH(bool, move);
    QFETCH(QRect, expected);
    QDialog dlg;
    auto *button = new QPushButton(&dlg);
    button->setObjectName(QStringLiteral("ok"));
    button->setGeometry(10, 20, 80, 30);
    if (move)
        MoveDlgItem(&dlg, name, 5, -7);
    else if (QTest::currentDataTag() == QLatin1String("all deltas 0 leave the control"))
        SizeDlgItem(&dlg, name, 0, 0, 0, 0);
    else
        SizeDlgItem(&dlg, name, -1, 2, 3, 4);
    QCOMPARE(button->geometry(), expected);
}

void TestDlgUtil::startMissingProgramReportsReasonAndCommand()
{
    QString error;
    QVERIFY(!StartProcess(QStringLiteral("/nonexistent/yaq2-missing"),
                          {QStringLiteral("-x"), QStringLiteral("two words")}, &error));
    const QString command = QStringLiteral("[/nonexistent/yaq2-missing -x \"two words\"]");
    QVERIFY2(error.endsWith(command), qPrintable(error));
    QVERIFY2(error.size() > command.size() + 1, qPrintable(error)); // the system's reason first
}

void TestDlgUtil::startExistingProgram()
{
    QString error = QStringLiteral("unchanged");
    QVERIFY(StartProcess(QStringLiteral("true"), {}, &error));
    QCOMPARE(error, QStringLiteral("unchanged"));
}

void TestDlgUtil::optionalPackageDialogTest()
{
    CSRPOptBearbDlg dlg;
    CSRPOptBearbDlgDerived derived;
    QDialog other;
    QVERIFY(IsSRPOptBearbDlg(&dlg));
    QVERIFY(IsSRPOptBearbDlg(&derived));
    QVERIFY(!IsSRPOptBearbDlg(&other));
    QVERIFY(!IsSRPOptBearbDlg(nullptr));
}

YAQ_TEST_MAIN(TestDlgUtil)
#include "tst_dlgutil.moc"
