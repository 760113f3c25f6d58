// The head row of the main window on the demo catalogue: the model-series
// combo built at its first drop-down, the model and lead-type combos filled
// from the catalogue and the user's choice in them, the blinking
// customer-specific-price warning, the mileage field and the title's
// tooltip. What the head row reads is tested without a window in
// tst_headrowcatalogue.

#include "app/EReiheCombo.h"
#include "app/EReiheList.h"
#include "app/HeadRowCatalogue.h"
#include "app/MainWndRules.h"
#include "app/Yaq2Dlg.h"
#include "common/OwnButton.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/MainWindowTest.h"
#include "support/Waits.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {
QStringList items(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}
} // namespace

class TestHeadRow : public MainWindowTest
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void modelSeriesComboAtTheFirstDropDown();
    void modelCombosOfTheSeries();
    void choosingAModelClearsTheVehicle();
    void modelWithOneLeadTypeSelectsIt();
    void programmaticFillIsNoUserChoice();
    void customerSpecificPriceBlinks();
    void mileageFieldFillsTheSettings();
    void titleToolTipNamesTheCurrentCatalogue();
    void basketButtonShowsItsWholeCaption_data();
    void basketButtonShowsItsWholeCaption();

private:
    QComboBox *combo(const char *name) const
    {
        return m_dlg->findChild<QComboBox *>(QLatin1String(name));
    }
    QLineEdit *edit(const char *name) const
    {
        return m_dlg->findChild<QLineEdit *>(QLatin1String(name));
    }
    void setF40();
};

void TestHeadRow::init()
{
    setUpDemo();
}

void TestHeadRow::cleanup()
{
    tearDownDemo();
}

void TestHeadRow::modelSeriesComboAtTheFirstDropDown()
{
    startWindow();
    auto *series = qobject_cast<CEReiheCombo *>(combo("modelSeriesCombo"));
    QVERIFY(series);
    QCOMPARE(series->count(), 0);
    emit series->aboutToShowPopup();
    // The catalogue's items, the heading of the older range not selectable.
    QCOMPARE(items(series), (QStringList{"F40", "F50", "B20", "C30",
                                         CEReiheList::AltSeparatorText(), "A40", "A60", "5A"}));
    QCOMPARE(series->model()->flags(series->model()->index(4, 0)), Qt::NoItemFlags);

    // The list is read once; marked for it, it is read anew. A dealer of
    // another brand then sees no series, and as the catalogue has rows, no
    // "catalogue not found" either.
    m_settings->DealerList = QStringList{QStringLiteral("lumo")};
    emit series->aboutToShowPopup();
    QCOMPARE(series->count(), 8);
    m_dlg->HeadRow().SetModelSeriesDirty();
    emit series->aboutToShowPopup();
    QCOMPARE(series->count(), 0);
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestHeadRow::setF40()
{
    m_settings->KatalogKey = QStringLiteral("1");
    m_settings->nKatalogFlag = 0;
    m_settings->bAltKatalog = 0;
    m_settings->bKatalogansicht = 1;
    m_settings->EReihe = QStringLiteral("F40");
    m_settings->Bestellnr = QStringLiteral("VQF40DE");
    m_settings->ModellBez = QStringLiteral("Arvo 2.0");
    m_settings->LeadTyp = QStringLiteral("1103");
    m_settings->FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    m_settings->Fgstnr = QStringLiteral("M012345");
    m_settings->TypSchl = QStringLiteral("7A01");
}

void TestHeadRow::modelCombosOfTheSeries()
{
    startWindow();
    setF40();
    m_dlg->FillModelCombos();
    QCOMPARE(combo("modelSeriesCombo")->currentText(), QStringLiteral("F40"));
    QCOMPARE(items(combo("modelCombo")),
             (QStringList{". . . . . . .", "Arvo 1.6", "Arvo 2.0", "Arvo Van"}));
    QCOMPARE(items(combo("leadTypeCombo")), (QStringList{"1102", "1103"}));
    QCOMPARE(combo("modelCombo")->currentText(), QStringLiteral("Arvo 2.0"));
    QCOMPARE(combo("leadTypeCombo")->currentText(), QStringLiteral("1103"));
    QCOMPARE(edit("vinEdit")->text(), QStringLiteral("XVQ1F23A57M012345"));
    QCOMPARE(edit("typeKeyEdit")->text(), QStringLiteral("7A01"));

    // A series that is not in the list leaves nothing of the last fill.
    m_settings->EReihe = QStringLiteral("Q99");
    m_dlg->FillModelCombos();
    QCOMPARE(combo("modelCombo")->count(), 0);
    QCOMPARE(combo("leadTypeCombo")->count(), 0);
    QCOMPARE(combo("modelSeriesCombo")->currentIndex(), -1);
}

void TestHeadRow::choosingAModelClearsTheVehicle()
{
    startWindow();
    setF40();
    m_settings->nVertrag = 1;
    m_settings->VertragText1 = QStringLiteral("HLX0100");
    m_dlg->FillModelCombos();
    QComboBox *model = combo("modelCombo");
    model->setCurrentIndex(model->findText(QStringLiteral("Arvo Van")));
    emit model->activated(model->currentIndex());

    QCOMPARE(edit("vinEdit")->text(), QString());
    QCOMPARE(edit("typeKeyEdit")->text(), QString());
    QCOMPARE(m_settings->FgstnrFull, QString());
    QCOMPARE(m_settings->Fgstnr, QString());
    QCOMPARE(m_settings->TypSchl, QString());
    QCOMPARE(m_settings->nVertrag, 0);
    QCOMPARE(m_settings->VertragText1, QString());
    QCOMPARE(m_settings->ModellBez, QStringLiteral("Arvo Van"));
    // The van has only a lead type below 1000: none to choose here.
    QCOMPARE(combo("leadTypeCombo")->count(), 0);
    QCOMPARE(m_settings->LeadTyp, QString());
    combo("leadTypeCombo")->hidePopup();
}

void TestHeadRow::modelWithOneLeadTypeSelectsIt()
{
    startWindow();
    setF40();
    m_dlg->FillModelCombos();
    QComboBox *model = combo("modelCombo");
    model->setCurrentIndex(model->findText(QStringLiteral("Arvo 1.6")));
    emit model->activated(model->currentIndex());
    QCOMPARE(items(combo("leadTypeCombo")), QStringList{"1101"});
    QCOMPARE(combo("leadTypeCombo")->currentIndex(), 0);
    QCOMPARE(m_settings->LeadTyp, QStringLiteral("1101"));

    // Several lead types: none is taken until the user chooses one; the
    // lead-type list opens (the offscreen platform cannot raise it).
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
    }
    model->setCurrentIndex(model->findText(QStringLiteral("Arvo 2.0")));
    emit model->activated(model->currentIndex());
    QCOMPARE(m_settings->LeadTyp, QString());
    QComboBox *lead = combo("leadTypeCombo");
    QVERIFY(lead->view()->isVisible());
    lead->hidePopup();
    lead->setCurrentIndex(1);
    emit lead->activated(1);
    QCOMPARE(m_settings->LeadTyp, QStringLiteral("1103"));
    QCOMPARE(m_settings->ModellBez, QStringLiteral("Arvo 2.0"));
}

void TestHeadRow::programmaticFillIsNoUserChoice()
{
    startWindow();
    setF40();
    QSignalSpy modelChoice(combo("modelCombo"), &QComboBox::activated);
    QSignalSpy seriesChange(combo("modelSeriesCombo"), &QComboBox::currentIndexChanged);
    m_dlg->FillModelCombos();
    m_dlg->ClearTypSchlData();
    QCOMPARE(modelChoice.size(), 0);
    QCOMPARE(seriesChange.size(), 0);
    // Clearing the type key keeps the series and empties the vehicle.
    QCOMPARE(combo("modelSeriesCombo")->currentText(), QStringLiteral("F40"));
    QCOMPARE(m_settings->FgstnrFull, QString());
    QCOMPARE(m_settings->TypSchl, QString());
    QCOMPARE(edit("vinEdit")->text(), QString());
}

void TestHeadRow::customerSpecificPriceBlinks()
{
    startWindow();
    QLabel *vinLabel = m_dlg->findChild<QLabel *>(QStringLiteral("vinLabel"));
    m_settings->bCustomerSpecificPrice = 1;
    m_settings->bMeldungCustomerSP = 1;
    m_env->answerBoxes(IDOK, true); // "don't show again" ticked
    m_dlg->SetCustomerSpecificPrice();
    QVERIFY(m_dlg->IsCustomerPriceBlinking());
    QCOMPARE(m_env->boxes().size(), 1);
    QCOMPARE(m_env->boxes().first().text, QStringLiteral("ACHTUNG: Customer Specific Price"));
    QVERIFY(m_env->boxes().first().withCheckBox);
    QCOMPARE(m_settings->bMeldungCustomerSP, 0);
    QCOMPARE(vinLabel->toolTip(), QStringLiteral("ACHTUNG: Customer Specific Price"));

    // The label turns green and black again on the timer's ticks.
    YAQ_TRY_COMPARE(vinLabel->palette().color(QPalette::WindowText), QColor(0, 200, 0));
    YAQ_TRY_COMPARE(vinLabel->palette().color(QPalette::WindowText), QColor(Qt::black));

    // Refreshing while on asks no second time; switching off stops it black.
    m_settings->bMeldungCustomerSP = 1;
    m_dlg->SetCustomerSpecificPrice();
    QCOMPARE(m_env->boxes().size(), 1);
    m_settings->bCustomerSpecificPrice = 0;
    m_dlg->SetCustomerSpecificPrice();
    QVERIFY(!m_dlg->IsCustomerPriceBlinking());
    QCOMPARE(vinLabel->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(vinLabel->toolTip(), QString());
}

void TestHeadRow::mileageFieldFillsTheSettings()
{
    startWindow();
    setF40();
    m_dlg->FillModelCombos();
    QLineEdit *km = edit("mileageEdit");
    km->setEnabled(true);
    km->setReadOnly(false);
    QTest::keyClicks(km, QStringLiteral("45000"));
    QCOMPARE(m_settings->Kilometer, QStringLiteral("45000"));
    // Writing the field from code is no user edit.
    km->setText(QStringLiteral("1"));
    QCOMPARE(m_settings->Kilometer, QStringLiteral("45000"));
}

void TestHeadRow::titleToolTipNamesTheCurrentCatalogue()
{
    startWindow();
    // The catalogue date is read after the head row is built; the caption
    // follows the identified vehicle.
    QTest::keyClicks(edit("vinEdit"), QStringLiteral("XVQ1F23A57M012345"));
    QWidget *title = m_dlg->findChild<QWidget *>(QStringLiteral("titleButton"));
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), title->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(title, &help);
    QCOMPARE(title->toolTip(), QStringLiteral("AW  F40 DE - Stand 12/06/2024"));
}

void TestHeadRow::basketButtonShowsItsWholeCaption_data()
{
    QTest::addColumn<QString>("count"); // what the basket adds to the caption
    // clang-format off
    QTest::newRow("empty basket")            << "";
    QTest::newRow("one entry")               << " (1)";
    QTest::newRow("twelve entries")          << " (12)";
    QTest::newRow("a three-digit count")     << " (100)";
    // clang-format on
}

void TestHeadRow::basketButtonShowsItsWholeCaption()
{
    QFETCH(QString, count);
    startWindow();
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get(), YaqTest::kHangMs));
    QWidget *column = m_dlg->findChild<QWidget *>(QStringLiteral("headButtonColumn"));
    const int columnWidth = column->width();
    COwnButton *basket = m_dlg->HeadButton(kBtnBasket);
    basket->setText(OrmelText(6078) + count);
    QApplication::processEvents();
    // The caption fits, and the column stays where it was.
    QVERIFY2(
        basket->width() >= basket->sizeHint().width(),
        qPrintable(QStringLiteral("%1 < %2").arg(basket->width()).arg(basket->sizeHint().width())));
    QCOMPARE(column->width(), columnWidth);
}

YAQ_TEST_MAIN(TestHeadRow)
#include "tst_headrow.moc"
