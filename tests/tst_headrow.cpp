// The head row: the model-series list (order, dealer contracts, blocked
// brand, alternative catalogue, one combo item per series), the version line,
// the contract check, the model and lead-type combos and the blinking
// customer-specific-price warning on the demo catalogue.

#include "app/EReiheList.h"
#include "app/VersionLine.h"
#include "app/Yaq2App.h"
#include "app/Yaq2Dlg.h"
#include "settings/PrgSettings.h"
#include "common/OwnButton.h"
#include "platform/OrmelText.h"
#include "support/MainWindowTest.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {
CEReiheEntry row(const QString &series, const QString &brand = QStringLiteral("VQ"))
{
    CEReiheEntry e;
    e.strKatBstNr = QStringLiteral("1");
    e.strTypNr = QStringLiteral("VQ") + series;
    e.strEReihe = series;
    e.strMarke = brand;
    return e;
}

QStringList codes(const QList<const CEReiheEntry *> &entries)
{
    QStringList out;
    for (const CEReiheEntry *e : entries)
        out << (e->nKind == CEReiheEntry::KindSeparator ? QStringLiteral("--") : e->strEReihe);
    return out;
}

QStringList listCodes(const CEReiheList &list)
{
    QList<const CEReiheEntry *> entries;
    for (int i = 0; i < list.Count(); ++i)
        entries << list.At(i);
    return codes(entries);
}

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

    void catalogueRows_data();
    void catalogueRows();
    void alternativeRows_data();
    void alternativeRows();

    void versionLine_data();
    void versionLine();

    void demoModelSeriesCombo();
    void checkContract_data();
    void checkContract();
    void modelCombosOfTheSeries();
    void choosingAModelClearsTheVehicle();
    void modelWithOneLeadTypeSelectsIt();
    void programmaticFillIsNoUserChoice();
    void customerSpecificPriceBlinks();
    void mileageFieldFillsTheSettings();
    void titleToolTipNamesTheCurrentCatalogue();

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
    FailOnUnexpectedWarnings();
    setUpDemo();
}

void TestHeadRow::cleanup()
{
    tearDownDemo();
}

// ---------------------------------------------------------------------------
// The list

void TestHeadRow::catalogueRows_data()
{
    QTest::addColumn<QStringList>("series");
    QTest::addColumn<QStringList>("brands");
    QTest::addColumn<QStringList>("dealer");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("comboItems");

    const QStringList vq4 = {"VQ", "VQ", "VQ", "VQ"};
    QTest::newRow("series beginning with F come first, each group in row order")
        << QStringList{"B", "F1", "C", "F2"} << vq4 << QStringList{}
        << QStringList{"F1", "F2", "B", "C"} << QStringList{"F1", "F2", "B", "C"};
    QTest::newRow("only F series")
        << QStringList{"F2", "F1"} << QStringList{"VQ", "VQ"} << QStringList{}
        << QStringList{"F2", "F1"} << QStringList{"F2", "F1"};
    QTest::newRow("brand without a dealer contract is left out")
        << QStringList{"B20", "L10", "F40"} << QStringList{"VQ", "LU", "VQ"} << QStringList{"voq"}
        << QStringList{"F40", "B20"} << QStringList{"F40", "B20"};
    QTest::newRow("brand TK is left out even without dealer restriction")
        << QStringList{"X10", "B20"} << QStringList{"TK", "VQ"} << QStringList{}
        << QStringList{"B20"} << QStringList{"B20"};
    QTest::newRow("brand TK is left out also for a dealer of it")
        << QStringList{"X10"} << QStringList{"TK"} << QStringList{"tremik"} << QStringList{}
        << QStringList{};
    QTest::newRow("the maker's hidden series is never listed")
        << QStringList{CEReiheList::kHiddenSeries, "B20"} << QStringList{"VQ", "VQ"}
        << QStringList{} << QStringList{"B20"} << QStringList{"B20"};
    QTest::newRow("two catalogues of one series give one combo item")
        << QStringList{"F40", "B20", "F40"} << QStringList{"VQ", "VQ", "VQ"} << QStringList{}
        << QStringList{"F40", "F40", "B20"} << QStringList{"F40", "B20"};
}

void TestHeadRow::catalogueRows()
{
    QFETCH(QStringList, series);
    QFETCH(QStringList, brands);
    QFETCH(QStringList, dealer);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, comboItems);

    CPrgSettings settings;
    settings.DealerList = dealer;
    // The dealer check of the program, as the window passes it in.
    const auto serves = [&settings](const QString &brand) {
        const QString name = brand == QLatin1String("VQ")   ? QStringLiteral("voq")
                             : brand == QLatin1String("LU") ? QStringLiteral("lumo")
                             : brand == QLatin1String("TK") ? QStringLiteral("tremik")
                                                            : QString();
        return settings.DealerList.isEmpty() || settings.DealerList.contains(name);
    };
    CEReiheList list;
    for (int i = 0; i < series.size(); ++i)
        list.AddCatalogueRow(row(series.at(i), brands.at(i)), serves);
    QCOMPARE(listCodes(list), listed);
    QCOMPARE(codes(list.ComboEntries()), comboItems);
    for (int i = 0; i < list.Count(); ++i)
        QCOMPARE(list.At(i)->nKind, int(CEReiheEntry::KindSeries));
}

void TestHeadRow::alternativeRows_data()
{
    QTest::addColumn<QStringList>("altSeries");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("sharedTypNr");

    QTest::newRow("no alternative rows add nothing, not even the heading")
        << QStringList{} << QStringList{"B20"} << QString();
    QTest::newRow("numbered series share one entry, the last of them, at the end")
        << QStringList{"4A", "A60", "5A", "7B"} << QStringList{"B20", "--", "A60", "7B"}
        << QStringLiteral("TN7B");
    QTest::newRow("a series beginning with 0 is an entry of its own")
        << QStringList{"0A", "3C"} << QStringList{"B20", "--", "0A", "3C"}
        << QStringLiteral("TN3C");
    QTest::newRow("without numbered series no shared entry")
        << QStringList{"A60", "B70"} << QStringList{"B20", "--", "A60", "B70"} << QString();
}

void TestHeadRow::alternativeRows()
{
    QFETCH(QStringList, altSeries);
    QFETCH(QStringList, listed);
    QFETCH(QString, sharedTypNr);

    CEReiheList list;
    list.AddCatalogueRow(row(QStringLiteral("B20")), {});
    QList<CAltSeriesRow> rows;
    for (const QString &s : altSeries)
        rows.append({QStringLiteral("TN") + s + QStringLiteral("  "), s + QLatin1Char(' ')});
    list.AddAlternativeRows(rows);
    QCOMPARE(listCodes(list), listed);
    if (!altSeries.isEmpty()) {
        const CEReiheEntry *heading = list.At(1);
        QCOMPARE(heading->nKind, int(CEReiheEntry::KindSeparator));
        QCOMPARE(heading->strSeparator, CEReiheList::AltSeparatorText());
        const CEReiheEntry *last = list.At(list.Count() - 1);
        QCOMPARE(last->strMarke, CEReiheList::kAltBrand);
        QCOMPARE(last->nKind, int(CEReiheEntry::KindSeries));
        if (!sharedTypNr.isEmpty())
            QCOMPARE(last->strTypNr, sharedTypNr);
    }
}

// ---------------------------------------------------------------------------
// Version line

void TestHeadRow::versionLine_data()
{
    QTest::addColumn<uint>("month");
    QTest::addColumn<uint>("year");
    QTest::addColumn<uint>("build");
    QTest::addColumn<uint>("subBuild");
    QTest::addColumn<QString>("edition");
    QTest::addColumn<QString>("line");

    QTest::newRow("release build") << 3u << 2019u << 12u << 7u << "R1"
                                   << " - 03/2019 R1 (Build 12.7)";
    QTest::newRow("two-digit month is not padded further") << 11u << 2024u << 0u << 1u << "R2"
                                                           << " - 11/2024 R2 (Build 0.1)";
    QTest::newRow("edition text with a percent sign stays as it is")
        << 1u << 2025u << 4u << 2u << "100%1"
        << " - 01/2025 100%1 (Build 4.2)";
    QTest::newRow("no edition text: no version line") << 3u << 2019u << 12u << 7u << ""
                                                      << "";
}

void TestHeadRow::versionLine()
{
    QFETCH(uint, month);
    QFETCH(uint, year);
    QFETCH(uint, build);
    QFETCH(uint, subBuild);
    QFETCH(QString, edition);
    QFETCH(QString, line);
    CVersionData v;
    v.nMonth = month;
    v.nYear = year;
    v.nBuild = build;
    v.nSubBuild = subBuild;
    v.strEdition = edition;
    QCOMPARE(CVersionLine::Format(v), line);
}

// ---------------------------------------------------------------------------
// On the demo catalogue

void TestHeadRow::demoModelSeriesCombo()
{
    startWindow();
    QComboBox *series = combo("modelSeriesCombo");
    QCOMPARE(series->count(), 0);
    m_dlg->OnCbnDropdownModelSeries(); // the list is built at the first drop-down
    // F40 has a German and a British catalogue; X10 is of the blocked brand;
    // the older range follows its heading.
    QCOMPARE(items(series), (QStringList{"F40", "F50", "B20", "C30",
                                         CEReiheList::AltSeparatorText(), "A40", "A60", "5A"}));
    QCOMPARE(m_dlg->ModelSeriesList().CountSeries(QStringLiteral("F40")), 2);
    QCOMPARE(m_dlg->FindModelSeries(QStringLiteral("B20")), 2);
    QCOMPARE(m_dlg->FindModelSeries(QStringLiteral("X10")), -1);
    // The heading is never a series.
    QCOMPARE(m_dlg->FindModelSeries(CEReiheList::AltSeparatorText()), -1);
    QCOMPARE(series->model()->flags(series->model()->index(4, 0)), Qt::NoItemFlags);

    // The list is built once; the settings page marks it for a rebuild. A
    // dealer of another brand then sees no series, and as the catalogue has
    // rows, no "catalogue not found" either.
    m_settings->DealerList = QStringList{QStringLiteral("lumo")};
    m_dlg->OnCbnDropdownModelSeries();
    QCOMPARE(series->count(), 8);
    m_dlg->SetModelSeriesDirty();
    m_dlg->OnCbnDropdownModelSeries();
    QCOMPARE(series->count(), 0);
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestHeadRow::checkContract_data()
{
    QTest::addColumn<QString>("vin");
    QTest::addColumn<int>("katalogFlag");
    QTest::addColumn<int>("contract");
    QTest::addColumn<QString>("optionNr");

    QTest::newRow("vehicle with a contract of origin AG")
        << "XVQ1F23A57M012345" << 0 << 1 << "HLX0100";
    QTest::newRow("vehicle without contracts") << "XVQ2G45B684K56789" << 0 << 0 << "";
    QTest::newRow("a VIN of 16 characters never finds a contract")
        << "XVQ1F23A57M01234" << 0 << 0 << "";
    QTest::newRow("another catalogue than the normal one has no contracts")
        << "XVQ1F23A57M012345" << 1 << 0 << "";
}

void TestHeadRow::checkContract()
{
    QFETCH(QString, vin);
    QFETCH(int, katalogFlag);
    QFETCH(int, contract);
    QFETCH(QString, optionNr);
    startWindow();
    m_settings->VertragText1 = QStringLiteral("stale");
    m_settings->nKatalogFlag = katalogFlag;
    {
        const QSignalBlocker block(edit("vinEdit"));
        edit("vinEdit")->setText(vin);
    }
    QCOMPARE(m_dlg->CheckContract(), contract);
    QCOMPARE(m_settings->VertragText1, optionNr);
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
    // The van's lead type below 1000 belongs to no model of the normal catalogue.
    QCOMPARE(items(combo("modelCombo")),
             (QStringList{". . . . . . .", "Arvo 1.6", "Arvo 2.0", "Arvo Van"}));
    QCOMPARE(items(combo("leadTypeCombo")), (QStringList{"1102", "1103"}));
    QCOMPARE(combo("modelCombo")->currentText(), QStringLiteral("Arvo 2.0"));
    QCOMPARE(combo("leadTypeCombo")->currentText(), QStringLiteral("1103"));
    QCOMPARE(edit("vinEdit")->text(), QStringLiteral("XVQ1F23A57M012345"));
    QCOMPARE(edit("typeKeyEdit")->text(), QStringLiteral("7A01"));

    // A series that is not in the list leaves model and lead type empty.
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
    QTRY_COMPARE_WITH_TIMEOUT(vinLabel->palette().color(QPalette::WindowText), QColor(0, 200, 0),
                              3000);
    QTRY_COMPARE_WITH_TIMEOUT(vinLabel->palette().color(QPalette::WindowText), QColor(Qt::black),
                              3000);

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

QTEST_MAIN(TestHeadRow)
#include "tst_headrow.moc"
