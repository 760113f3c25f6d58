// Return and the pad's Enter in the program's dialogs with an OK button:
// they take OK, from the field the adviser typed into or from where the
// dialog put the focus, unless the dialog keeps the key: the remarks of
// the offer for their text, the catalogue picker until a catalogue is
// chosen. The vehicle search (Return searches, or takes the listed VIN)
// and the print preview (no default button) have keys of their own. Closed
// by a key, a dialog or message box gives the keyboard back to the window
// and the field it came from. A held Return acts once: its repeats are no
// new presses in the window that has the keyboard next.

#include "app/AboutDlg.h"
#include "app/EReiheList.h"
#include "app/KatAuswahlDlg.h"
#include "app/SelVin7TypschlDlg.h"
#include "basket/LabourEditDlg.h"
#include "basket/model/WkLabourEdit.h"
#include "basket/print/WkDruckDlg.h"
#include "common/EasyPrintDlg.h"
#include "common/EditNrDlg.h"
#include "common/TextDlg.h"
#include "common/UmfassDlg.h"
#include "packages/PauschPreisDlg.h"
#include "packages/model/Position.h"
#include "platform/DialogFocusReturn.h"
#include "platform/HeldReturnFilter.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "setup/ReportDlg.h"
#include "setup/SetupDruckDlg.h"
#include "support/HeldKey.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

class TestDialogKeys : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void returnTakesOk_data();
    void returnTakesOk();
    void returnPressesTheFocusedButton_data();
    void returnPressesTheFocusedButton();
    void keyboardBackToTheOpener_data();
    void keyboardBackToTheOpener();
    void heldReturnActsOnce_data();
    void heldReturnActsOnce();

private:
    std::unique_ptr<QDialog> Make(const QString &dialog);

    TestEnv m_env;
    CPrgSettings m_settings;
    CPosition m_head;
    CEReiheList m_series;
};

void TestDialogKeys::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
    m_env.answerBoxes(IDOK);
    m_settings.DealerDataStorage = m_env.path();
    m_settings.DataDir = m_env.path();
    m_settings.MaxPreisNachlass = QStringLiteral("20");
    m_head.StdGross = 200.0;
    for (const char *typeNumber : {"VQF40DE", "VQF40GB"}) {
        CEReiheEntry entry;
        entry.nKind = CEReiheEntry::KindSeries;
        entry.strTypNr = QLatin1String(typeNumber);
        entry.strEReihe = QStringLiteral("F40");
        entry.strMarke = QStringLiteral("VQ");
        m_series.AddCatalogueRow(entry, [](const QString &) { return true; });
    }
}

std::unique_ptr<QDialog> TestDialogKeys::Make(const QString &dialog)
{
    if (dialog == QLatin1String("direct price"))
        return std::make_unique<CPauschPreisDlg>(&m_head, &m_settings);
    if (dialog == QLatin1String("information box"))
        return std::make_unique<CAboutDlg>(&m_settings, nullptr, QString());
    if (dialog == QLatin1String("full VIN"))
        return std::make_unique<CSelVin7TypschlDlg>(QStringLiteral("M012345"));
    if (dialog == QLatin1String("number entry"))
        return std::make_unique<CEditNrDlg>(&m_settings);
    if (dialog == QLatin1String("text box"))
        return std::make_unique<CTextDlg>();
    if (dialog == QLatin1String("scope texts"))
        return std::make_unique<CUmfassDlg>();
    if (dialog == QLatin1String("labour position"))
        return std::make_unique<CLabourEditDlg>(CWkLabourEdit());
    if (dialog == QLatin1String("import report"))
        return std::make_unique<CReportDlg>(&m_settings, nullptr);
    if (dialog == QLatin1String("print defaults"))
        return std::make_unique<CSetupDruckDlg>(&m_settings);
    if (dialog.startsWith(QLatin1String("catalogue picker"))) {
        // OK is the picker's default button once a catalogue is chosen: the
        // vehicle's own, or one the adviser moves to.
        m_settings.Bestellnr =
            dialog.endsWith(QLatin1String("chosen")) ? QStringLiteral("VQF40GB") : QString();
        auto picker = std::make_unique<CKatAuswahlDlg>(&m_settings);
        CKatAuswahlDlg::SetRunner([](CKatAuswahlDlg &) { return 0; });
        picker->DoModal(QStringLiteral("F40"), 0, 0, &m_series);
        CKatAuswahlDlg::SetRunner({});
        return picker;
    }
    if (dialog == QLatin1String("remarks"))
        return std::make_unique<CWkDkZusDlg>(&m_settings, CWkDkZusHeader());
    return nullptr;
}

void TestDialogKeys::returnTakesOk_data()
{
    // Row: the dialog, the field typed into ("" where the dialog puts the
    // focus), the text typed, the key, whether the dialog took OK (false:
    // it stays open).
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    // clang-format off
    QTest::newRow("direct price: Return in the new price")      << "direct price"             << "newPriceEdit" << "190"               << int(Qt::Key_Return)  << true;
    QTest::newRow("direct price: pad Enter in the percent")     << "direct price"             << "percentEdit"  << "10"                << int(Qt::Key_Enter)   << true;
    QTest::newRow("information box: Return")                    << "information box"          << ""             << ""                  << int(Qt::Key_Return)  << true;
    QTest::newRow("information box: pad Enter")                 << "information box"          << ""             << ""                  << int(Qt::Key_Enter)   << true;
    QTest::newRow("full VIN: Return after 17 characters")       << "full VIN"                 << "fullVinEdit"  << "XVQ1F23A57M012345" << int(Qt::Key_Return)  << true;
    QTest::newRow("number entry: pad Enter")                    << "number entry"             << "numberField"  << "7"                 << int(Qt::Key_Enter)   << true;
    QTest::newRow("text box: Return")                           << "text box"                 << ""             << ""                  << int(Qt::Key_Return)  << true;
    QTest::newRow("scope texts: Return")                        << "scope texts"              << ""             << ""                  << int(Qt::Key_Return)  << true;
    QTest::newRow("labour position: Return in a text line")     << "labour position"          << "text1"        << "Bremse"            << int(Qt::Key_Return)  << true;
    QTest::newRow("import report: Return")                      << "import report"            << ""             << ""                  << int(Qt::Key_Return)  << true;
    QTest::newRow("print defaults: Return in a line")           << "print defaults"           << "Firma"        << "Autohaus"          << int(Qt::Key_Return)  << true;
    QTest::newRow("print defaults: pad Enter in a line")        << "print defaults"           << "Nummer"       << "1"                 << int(Qt::Key_Enter)   << true;
    QTest::newRow("catalogue picker: Return on the chosen one") << "catalogue picker, chosen" << ""             << ""                  << int(Qt::Key_Return)  << true;
    QTest::newRow("catalogue picker: Return before a choice")   << "catalogue picker"         << ""             << ""                  << int(Qt::Key_Return)  << false;
    QTest::newRow("remarks: Return on OK stays")                << "remarks"                  << "ok"           << ""                  << int(Qt::Key_Return)  << false;
    // clang-format on
}

void TestDialogKeys::returnTakesOk()
{
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, key);
    std::unique_ptr<QDialog> dlg = Make(dialog);
    QVERIFY(dlg);
    dlg->show();
    dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get(), YaqTest::kHangMs));
    QWidget *target = dlg.get();
    if (!field.isEmpty()) {
        target = dlg->findChild<QWidget *>(field);
        QVERIFY(target);
        target->setFocus();
    } else if (QApplication::focusWidget()) {
        target = QApplication::focusWidget();
    }
    QTest::keyClicks(target, typed);
    QTest::keyClick(target, Qt::Key(key));
    QTEST(dlg->result() == QDialog::Accepted && !dlg->isVisible(), "accepted");
}

void TestDialogKeys::returnPressesTheFocusedButton_data()
{
    // Row: the dialog, the field typed into, the text typed, the button the
    // adviser then moves to, the key, whether the dialog took OK.
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("accepted");
    // clang-format off
    QTest::newRow("direct price: Return on <")            << "direct price"   << "newPriceEdit" << "190"      << "backButton"   << int(Qt::Key_Return) << false;
    QTest::newRow("number entry: pad Enter on Abbrechen") << "number entry"   << "numberField"  << "7"        << "cancelButton" << int(Qt::Key_Enter)  << false;
    QTest::newRow("print defaults: Return on Abbrechen")  << "print defaults" << "Firma"        << "Autohaus" << "cancel"       << int(Qt::Key_Return) << false;
    // clang-format on
}

void TestDialogKeys::returnPressesTheFocusedButton()
{
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(int, key);
    std::unique_ptr<QDialog> dlg = Make(dialog);
    QVERIFY(dlg);
    dlg->show();
    dlg->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get(), YaqTest::kHangMs));
    auto *edit = dlg->findChild<QWidget *>(field);
    auto *pressed = dlg->findChild<QAbstractButton *>(button);
    QVERIFY(edit && pressed);
    edit->setFocus();
    QTest::keyClicks(edit, typed);
    pressed->setFocus(Qt::TabFocusReason);
    QTest::keyClick(pressed, Qt::Key(key));
    QVERIFY(!dlg->isVisible());
    QTEST(dlg->result() == QDialog::Accepted, "accepted");
}

void TestDialogKeys::keyboardBackToTheOpener_data()
{
    // Row: the dialog ("message box" a notice of the program's), the key
    // that closes it.
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("key");
    // clang-format off
    QTest::newRow("message box: Return")     << "message box"     << int(Qt::Key_Return);
    QTest::newRow("message box: Escape")     << "message box"     << int(Qt::Key_Escape);
    QTest::newRow("information box: Return") << "information box" << int(Qt::Key_Return);
    QTest::newRow("number entry: Escape")    << "number entry"    << int(Qt::Key_Escape);
    // clang-format on
}

void TestDialogKeys::keyboardBackToTheOpener()
{
    QFETCH(QString, dialog);
    QFETCH(int, key);
    CDialogFocusReturn focusReturn;
    qApp->installEventFilter(&focusReturn);
    QWidget opener;
    auto *fields = new QVBoxLayout(&opener);
    fields->addWidget(new QLineEdit(&opener));
    auto *typedInto = new QLineEdit(&opener);
    fields->addWidget(typedInto);
    opener.show();
    opener.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&opener, YaqTest::kHangMs));
    typedInto->setFocus();
    // A dialog counts as active with its opener: the keyboard is what counts.
    QTimer::singleShot(0, [key] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        YAQ_TRY_COMPARE(QApplication::activeWindow(), modal);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    });
    if (dialog == QLatin1String("message box")) {
        SetMsgBoxResponder({});
        OwnMsgBox(OrmelText(4021), &opener, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_OK);
        m_env.answerBoxes(IDOK);
    } else {
        std::unique_ptr<QDialog> dlg = Make(dialog);
        QVERIFY(dlg);
        dlg->exec();
    }
    YAQ_TRY_COMPARE(QApplication::activeWindow(), &opener);
    QCOMPARE(QApplication::focusWidget(), typedInto);
}

namespace {

// A document of one printed page.
class OnePage : public CEasyPrintVirt
{
public:
    CSize PrintPage(QPainter *, CRect *area, int measureOnly) override
    {
        return area && measureOnly ? CSize(1000, -1000) : CSize();
    }
};

} // namespace

void TestDialogKeys::heldReturnActsOnce_data()
{
    // Row: the dialog, the field typed into ("" where the dialog puts the
    // focus), the text typed, the result of the one press.
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("direct price: Return in the new price") << "direct price"  << "newPriceEdit" << "190" << int(QDialog::Accepted);
    QTest::newRow("print preview: Return on Drucken")      << "print preview" << ""             << ""    << int(QDialog::Accepted);
    QTest::newRow("question 4089: Return on Ja")           << "question"      << ""             << ""    << int(IDYES);
    // clang-format on
}

// The dialog opens over a list whose lines Return opens, as the package
// page's positions; the adviser holds Return in the dialog.
void TestDialogKeys::heldReturnActsOnce()
{
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    CDialogFocusReturn focusReturn;
    qApp->installEventFilter(&focusReturn);
    CHeldReturnFilter heldReturn;
    qApp->installEventFilter(&heldReturn);
    QWidget opener;
    auto *lines = new QListWidget(&opener);
    lines->addItems({QStringLiteral("3410050"), QStringLiteral("3410060")});
    (new QVBoxLayout(&opener))->addWidget(lines);
    int opened = 0;
    connect(lines, &QListWidget::itemActivated, [&opened] { ++opened; });
    opener.show();
    opener.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&opener, YaqTest::kHangMs));
    lines->setFocus();
    lines->setCurrentRow(1);

    std::shared_ptr<const bool> released;
    QTimer::singleShot(0, [field, typed, &released] {
        QWidget *modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        YAQ_TRY_COMPARE(QApplication::activeWindow(), modal);
        if (!field.isEmpty()) {
            auto *edit = modal->findChild<QWidget *>(field);
            QVERIFY(edit);
            edit->setFocus();
            QTest::keyClicks(edit, typed);
        }
        released = YaqTest::HoldKey(Qt::Key_Return, 5, QStringLiteral("\r"));
    });
    int result = -1;
    if (dialog == QLatin1String("question")) {
        SetMsgBoxResponder({});
        result = OwnMsgBox(OrmelText(4089), &opener, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_YESNO);
        m_env.answerBoxes(IDOK);
    } else if (dialog == QLatin1String("print preview")) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_env.path() + QStringLiteral("/offer.pdf"));
        OnePage document;
        CEasyPrintDlg preview(&document);
        preview.SetPrinter(&printer);
        result = preview.DoModal();
    } else {
        std::unique_ptr<QDialog> dlg = Make(dialog);
        QVERIFY(dlg);
        result = dlg->exec();
    }
    QTEST(result, "result");
    QVERIFY(released);
    YAQ_TRY_VERIFY(*released);
    // The repeats did not open the line the list shows.
    QCOMPARE(opened, 0);
}

YAQ_TEST_MAIN(TestDialogKeys)
#include "tst_dialogkeys.moc"
