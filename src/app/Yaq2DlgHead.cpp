// The main window's head row: the model-series, model and lead-type combos,
// the captions, the contract check, the customer-specific-price warning, the
// mileage field, the keys of the head buttons, help, and the sibling
// programs started from the head.

#include "app/EReiheCombo.h"
#include "app/EReiheDelegate.h"
#include "app/EReiheModel.h"
#include "app/HeadKeys.h"
#include "app/HelpFile.h"
#include "app/HomeDlg.h"
#include "app/MainWndRules.h"
#include "app/ModelMapping.h"
#include "app/PendingIdent.h"
#include "app/SiblingProgram.h"
#include "app/Utilities.h"
#include "app/VersionLine.h"
#include "app/Yaq2App.h"
#include "app/Yaq2Dlg.h"
#include "settings/PrgSettings.h"
#include "catalogues/BfndDlg.h"
#include "common/DlgUtil.h"
#include "common/OpenUrl.h"
#include "common/OwnButton.h"
#include "common/OwnLogoButton.h"
#include "common/OwnSound.h"
#include "common/OwnWhiteButton.h"
#include "packages/HLXDlg.h"
#include "packages/SRPWlDlg.h"
#include "platform/AppPaths.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

namespace {
// The colours of the head row.
const QColor kContractColour(0xC0, 0xDC, 0xC0);
const QColor kWarningGreen(0, 200, 0);
const QString kCustomerPriceWarning = QStringLiteral("ACHTUNG: Customer Specific Price");
// The first model item while the catalogue view is on: no model chosen.
const QString kNoModel = QStringLiteral(". . . . . . .");
// Lead types below this code are variants the catalogue shows only in a
// catalogue other than the normal one.
const QString kFirstLeadType = QStringLiteral("1000");
// The origin code of a contract that counts for the contract button.
const QString kContractOrigin = QStringLiteral("AG");
// Blink interval of the customer-specific-price warning.
constexpr int kBlinkMs = 500;

const CModelMapping *HeadModelMapping()
{
    const CYaq2App *app = CYaq2App::Instance();
    return app ? &app->m_ModelMapping : nullptr;
}

// The catalogue display chooses the catalogues of a market: "EUR", "USA" or
// both ("EUR + USA", or anything else).
bool InCatalogueDisplay(const QString &display, const QString &country)
{
    const bool usa = country == QLatin1String("US");
    if (display == QLatin1String("USA"))
        return usa;
    if (display == QLatin1String("EUR"))
        return !usa;
    return true;
}

// Selects the item with this text; no item for an empty or unknown text.
void SelectText(QComboBox *combo, const QString &text)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly));
}

void AddOnce(QComboBox *combo, const QString &text)
{
    if (combo->findText(text, Qt::MatchExactly) < 0)
        combo->addItem(text);
}
} // namespace

// ---------------------------------------------------------------------------
// Set-up and captions

QComboBox *CYaq2Dlg::CreateModelSeriesCombo()
{
    auto *combo = new CEReiheCombo(this);
    combo->setObjectName(QStringLiteral("modelSeriesCombo"));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(5);
    m_pEReiheModel = new CEReiheModel(combo);
    m_pEReiheDelegate = new CEReiheDelegate(combo);
    QFont separatorFont = font();
    separatorFont.setBold(true);
    separatorFont.setItalic(true);
    m_pEReiheDelegate->SetFonts(font(), separatorFont);
    combo->setModel(m_pEReiheModel);
    combo->setItemDelegate(m_pEReiheDelegate);
    connect(combo, &CEReiheCombo::aboutToShowPopup, this, &CYaq2Dlg::OnCbnDropdownModelSeries);
    return combo;
}

void CYaq2Dlg::InitHeadControls()
{
    if (m_pBlinkTimer) {
        SetCaptions();
        return;
    }
    m_headButtons.value(kBtnTwoWheeler)->hide();

    connect(m_pModell, &QComboBox::activated, this, &CYaq2Dlg::OnCbnSelchangeVerkbez);
    connect(m_pLeadType, &QComboBox::activated, this, &CYaq2Dlg::OnCbnSelchangeLeittyp);
    connect(m_pKm, &QLineEdit::textEdited, this, &CYaq2Dlg::OnEnChangeMileage);
    connect(m_headButtons.value(kBtnDmsDownload), &QAbstractButton::clicked, this,
            &CYaq2Dlg::OnBnClickedDmsDownload);
    connect(m_headButtons.value(kBtnTwoWheeler), &QAbstractButton::clicked, this,
            &CYaq2Dlg::StartY5Program);
    connect(m_headButtons.value(kBtnHelp), &QAbstractButton::clicked, this,
            &CYaq2Dlg::OnBnClickedHelp);
    connect(m_headButtons.value(kBtnHelpIndex), &QAbstractButton::clicked, this,
            &CYaq2Dlg::OnBnClickedHelpIndex);
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &CYaq2Dlg::WinHelp);
    for (COwnButton *button : std::as_const(m_headButtons))
        button->installEventFilter(this);

    m_pBlinkTimer = new QTimer(this);
    m_pBlinkTimer->setObjectName(QStringLiteral("customerPriceTimer"));
    m_pBlinkTimer->setInterval(kBlinkMs);
    connect(m_pBlinkTimer, &QTimer::timeout, this, &CYaq2Dlg::OnBlinkTimer);

    SetCaptions();
}

QString CYaq2Dlg::GetVersionString() const
{
    return CVersionLine::Format(CVersionLine::ProgramVersion());
}

// ---------------------------------------------------------------------------
// Model-series list and combo

void CYaq2Dlg::FreeModelSeriesList()
{
    // The combo borrows the entries: it lets go of them first.
    {
        const QSignalBlocker block(m_pEReihe);
        m_pEReiheModel->Clear();
    }
    m_EReiheList.Clear();
}

void CYaq2Dlg::BuildModelSeriesList()
{
    CPrgSettings &s = *m_pSettings;
    FreeModelSeriesList();
    CYaqDb *db = m_pDb[0].get();
    if (!db) {
        OwnMsgBox(OrmelText(4011), this, kMsgBoxTitle);
        return;
    }
    const auto dealerServes = [this](const QString &brand) {
        return GetBrandFromDealerData(m_pSettings, brand) != 0;
    };

    bool anyRow = false;
    CAwKatalogData rec;
    rec.Init();
    rec.m_strKatBstNr = s.KatalogKey;
    for (int ok = db->ReadAwKatalogDataOnEreihe(rec, QString()); ok; ok = db->ReadNext()) {
        rec.TrimData();
        if (!InCatalogueDisplay(s.CatalogueDisp, rec.m_strLand))
            continue;
        anyRow = true;
        CEReiheEntry row;
        row.strKatBstNr = rec.m_strKatBstNr;
        row.strTypNr = rec.m_strTypNr;
        row.strKatBez = rec.m_strKatBez;
        row.strEReihe = rec.m_strEReihe;
        row.strMarke = rec.m_strMarke;
        row.strBaureihe = rec.m_strBaureihe;
        row.strMarktZusatz = rec.m_strMarktZusatz;
        row.strLand = rec.m_strLand;
        row.strStand = rec.m_strStand;
        m_EReiheList.AddCatalogueRow(row, dealerServes);
    }

    // The older series range of the alternative catalogue, for dealers of
    // the main brand.
    bool anyAlternative = false;
    CAltKatData alt;
    alt.Init();
    if (db->ReadAltKatData(alt) && dealerServes(CEReiheList::kAltBrand)) {
        QList<CAltSeriesRow> rows;
        do {
            alt.TrimData();
            rows.append({alt.m_strTypNr, alt.m_strEReihe});
        } while (db->ReadNext());
        m_EReiheList.AddAlternativeRows(rows);
        anyAlternative = true;
    }
    if (!anyRow && !anyAlternative)
        OwnMsgBox(OrmelText(4011), this, kMsgBoxTitle);
}

void CYaq2Dlg::FillModelSeriesCombo(bool reset)
{
    const QSignalBlocker block(m_pEReihe);
    if (reset)
        m_pEReiheModel->Clear();
    int select = -1;
    for (int i = 0; i < m_EReiheList.Count(); ++i) {
        const CEReiheEntry *entry = m_EReiheList.At(i);
        const bool series = entry->nKind == CEReiheEntry::KindSeries;
        if (series && FindModelSeries(entry->strEReihe) >= 0)
            continue;
        m_pEReiheModel->Append(entry);
        if (series && entry->strEReihe == m_pSettings->EReihe)
            select = m_pEReiheModel->rowCount() - 1;
    }
    if (select >= 0)
        m_pEReihe->setCurrentIndex(select);
}

int CYaq2Dlg::FindModelSeries(const QString &seriesCode) const
{
    for (int row = 0; row < m_pEReiheModel->rowCount(); ++row) {
        const CEReiheEntry *entry = m_pEReiheModel->EntryAt(row);
        if (entry->nKind == CEReiheEntry::KindSeries && entry->strEReihe == seriesCode)
            return row;
    }
    return -1;
}

const CEReiheEntry *CYaq2Dlg::ModelSeriesEntry(int index) const
{
    return m_pEReiheModel->EntryAt(index);
}

void CYaq2Dlg::OnCbnDropdownModelSeries()
{
    if (!m_bEReiheDirty)
        return;
    BuildModelSeriesList();
    FillModelSeriesCombo(true);
    m_bEReiheDirty = 0;
}

// ---------------------------------------------------------------------------
// Model and lead-type combos

void CYaq2Dlg::FillLeadTypes(const QString &model, bool takeLowCodes)
{
    const CPrgSettings &s = *m_pSettings;
    const CModelMapping *mapping = HeadModelMapping();
    CYaqDb *db = m_pDb[0].get();
    if (!db)
        return;
    const QSignalBlocker block(m_pLeadType);
    if (s.bAltKatalog) {
        CAltLtypData alt;
        alt.Init();
        alt.m_strTypNr = s.Bestellnr.left(8);
        alt.m_strVerkBez = model;
        for (int ok = db->ReadAltLtypData(alt); ok; ok = db->ReadNext()) {
            alt.TrimData();
            m_pLeadType->addItem(alt.m_strLTyp);
        }
        return;
    }
    CAwKatSpalteData col;
    col.Init();
    col.m_strKatBstNr = s.KatalogKey;
    col.m_strTypNr = s.Bestellnr;
    col.m_strSpBez = model;
    int ok = db->ReadAwKatSpalteDataOnLTypSpNr(col);
    if (!ok) {
        QStringList codes;
        if (mapping)
            mapping->GetCodesForModel(codes, model);
        for (const QString &code : std::as_const(codes))
            m_pLeadType->addItem(code);
        return;
    }
    for (; ok; ok = db->ReadNext()) {
        col.TrimData();
        QString mapped;
        if (mapping && mapping->GetModelName(mapped, col.m_strLTyp))
            continue;
        if (col.m_strLTyp >= kFirstLeadType || takeLowCodes)
            m_pLeadType->addItem(col.m_strLTyp);
    }
}

void CYaq2Dlg::FillModelCombos()
{
    const CPrgSettings &s = *m_pSettings;
    {
        const QSignalBlocker vinBlock(m_pVin);
        const QSignalBlocker keyBlock(m_pTypSchl);
        m_pVin->setText(s.FgstnrFull);
        m_pTypSchl->setText(s.TypSchl);
    }
    const QSignalBlocker modelBlock(m_pModell);
    const QSignalBlocker leadBlock(m_pLeadType);
    m_pLeadType->clear();
    m_pModell->clear();

    auto rebuildWhenDirty = [this] {
        if (m_bEReiheDirty) {
            BuildModelSeriesList();
            FillModelSeriesCombo(true);
            m_bEReiheDirty = 0;
        }
    };
    CYaqDb *db = m_pDb[0].get();
    if (!s.bAltKatalog) {
        if (!s.nKatalogFlag) {
            rebuildWhenDirty();
            if (FindModelSeries(s.EReihe) >= 0 && db) {
                if (s.bKatalogansicht)
                    m_pModell->addItem(kNoModel);
                const CModelMapping *mapping = HeadModelMapping();
                CAwKatSpalteData col;
                col.Init();
                col.m_strKatBstNr = s.KatalogKey;
                col.m_strTypNr = s.Bestellnr;
                for (int ok = db->ReadAwKatSpalteDataOnSpBez(col); ok; ok = db->ReadNext()) {
                    col.TrimData();
                    QString name = col.m_strSpBez;
                    if (mapping)
                        mapping->GetModelName(name, col.m_strLTyp);
                    AddOnce(m_pModell, name);
                }
                FillLeadTypes(s.ModellBez, false);
            }
        }
    } else {
        rebuildWhenDirty();
        if (FindModelSeries(s.EReihe) >= 0 && db) {
            CAltLtypData alt;
            alt.Init();
            alt.m_strTypNr = s.Bestellnr.left(8);
            QString previous;
            bool first = true;
            for (int ok = db->ReadAltLtypData(alt); ok; ok = db->ReadNext()) {
                alt.TrimData();
                if (first || alt.m_strVerkBez != previous)
                    m_pModell->addItem(alt.m_strVerkBez);
                first = false;
                previous = alt.m_strVerkBez;
                if (alt.m_strVerkBez == s.ModellBez)
                    m_pLeadType->addItem(alt.m_strLTyp);
            }
        }
    }

    {
        const QSignalBlocker block(m_pEReihe);
        m_pEReihe->setCurrentIndex(FindModelSeries(s.EReihe));
    }
    // A filled combo shows no choice of its own (Qt would show its first
    // item); the catalogue view shows the current model and lead type.
    SelectText(m_pModell, s.bKatalogansicht ? s.ModellBez : QString());
    SelectText(m_pLeadType, s.bKatalogansicht ? s.LeadTyp : QString());
}

void CYaq2Dlg::ClearTypSchlData()
{
    CPrgSettings &s = *m_pSettings;
    for (QLineEdit *e : {m_pVin, m_pTypSchl, m_pErstzul, m_pPlate, m_pKm, m_pDate}) {
        const QSignalBlocker block(e);
        e->clear();
    }
    s.FgstnrFull.clear();
    s.Fgstnr.clear();
    s.TypSchl.clear();
    for (QComboBox *c : {m_pEReihe, m_pModell, m_pLeadType}) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(-1);
    }
    FillModelCombos();
    const QSignalBlocker block(m_pEReihe);
    m_pEReihe->setCurrentIndex(FindModelSeries(s.EReihe));
}

void CYaq2Dlg::ShowContractColour()
{
    COwnButton *contract = m_headButtons.value(kBtnContract);
    contract->Init(QString(),
                   m_pSettings->nVertrag ? kContractColour : palette().color(QPalette::Window));
    contract->update();
}

void CYaq2Dlg::ForgetIdentifiedVehicle()
{
    // A model or lead type chosen by hand: the vehicle of the VIN and type
    // key is gone.
    CPrgSettings &s = *m_pSettings;
    {
        const QSignalBlocker vinBlock(m_pVin);
        const QSignalBlocker keyBlock(m_pTypSchl);
        m_pVin->clear();
        m_pTypSchl->clear();
    }
    s.FgstnrFull.clear();
    s.Fgstnr.clear();
    s.TypSchl.clear();
    s.nVertrag = 0;
    s.bCustomerSpecificPrice = 0;
    s.VertragText1.clear();
    s.VertragText2.clear();
    SetCustomerSpecificPrice();
    ResetVehicleFields(false, true);
}

void CYaq2Dlg::OnCbnSelchangeVerkbez()
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);

    ForgetIdentifiedVehicle();

    const QString model = m_pModell->currentIndex() >= 0 ? m_pModell->currentText() : QString();
    s.ModellBez = model;
    {
        const QSignalBlocker block(m_pLeadType);
        m_pLeadType->clear();
    }
    s.LeadTyp.clear();
    if (!model.isEmpty())
        FillLeadTypes(model, s.nKatalogFlag == 1);
    if (m_pLeadType->count() == 1) {
        const QSignalBlocker block(m_pLeadType);
        m_pLeadType->setCurrentIndex(0);
        s.LeadTyp = m_pLeadType->currentText();
    }
    if (s.LeadTyp.isEmpty() && !model.isEmpty()) {
        m_pLeadType->setFocus();
        m_pLeadType->showPopup();
    }
    ShowContractColour();

    if (ConfirmVehicleChange(before.Vin(), before.strTypSchl, QString(), &before))
        return;
    SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
}

void CYaq2Dlg::OnCbnSelchangeLeittyp()
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    ForgetIdentifiedVehicle();

    if (m_pLeadType->currentIndex() >= 0)
        s.LeadTyp = m_pLeadType->currentText();
    ShowContractColour();

    if (ConfirmVehicleChange(before.Vin(), before.strTypSchl, QString(), &before))
        return;
    SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
}

// ---------------------------------------------------------------------------
// Contract and customer-specific prices

int CYaq2Dlg::CheckContract()
{
    CPrgSettings &s = *m_pSettings;
    s.VertragText1.clear();
    s.VertragText2.clear();
    if (s.nKatalogFlag || m_pVin->text().size() != 17)
        return 0;
    CYaqDb *db0 = m_pDb[0].get();
    CYaqDb *db1 = m_pDb[1].get();
    if (!db0 || !db1) {
        OwnMsgBox(OrmelText(7021), this, kMsgBoxTitle);
        return 0;
    }
    CHLXFgstnrData rec;
    rec.Init();
    rec.m_strKatBstNr = s.KatalogKey;
    rec.m_strFgstNr = m_pVin->text();
    for (int ok = db0->ReadHLXFgstnrData(rec); ok; ok = db0->ReadNext()) {
        rec.TrimData();
        s.VertragText1 = rec.m_strOptionNr;
        s.VertragText2 = rec.m_strAbrBeginn;
        CHLXNrData option;
        option.Init();
        option.m_strKatBstNr = s.KatalogKey;
        option.m_strOptionNr = rec.m_strOptionNr;
        if (db1->ReadHLXNrData(option)) {
            option.TrimData();
            if (option.m_strHerkunft == kContractOrigin)
                return 1;
        }
    }
    return 0;
}

void CYaq2Dlg::SetCustomerSpecificPrice()
{
    QLabel *vinLabel = m_headLabels.value(QStringLiteral("vinLabel"));
    if (m_pSettings->bCustomerSpecificPrice) {
        vinLabel->setToolTip(kCustomerPriceWarning);
        m_pVin->setToolTip(kCustomerPriceWarning);
        const bool alreadyOn = m_pBlinkTimer->isActive();
        m_pBlinkTimer->start();
        if (!alreadyOn && m_pSettings->bMeldungCustomerSP)
            OwnMsgChkBox(kCustomerPriceWarning, &m_pSettings->bMeldungCustomerSP, this,
                         kMsgBoxTitle, MSG_ALIGN_NOTICE);
        return;
    }
    m_pBlinkTimer->stop();
    m_bBlinkPhase = 0;
    vinLabel->setToolTip(QString());
    m_pVin->setToolTip(QString());
    QPalette pal = vinLabel->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    vinLabel->setPalette(pal);
}

bool CYaq2Dlg::IsCustomerPriceBlinking() const
{
    return m_pBlinkTimer && m_pBlinkTimer->isActive();
}

void CYaq2Dlg::OnBlinkTimer()
{
    QLabel *vinLabel = m_headLabels.value(QStringLiteral("vinLabel"));
    QPalette pal = vinLabel->palette();
    if (m_bBlinkPhase) {
        pal.setColor(QPalette::WindowText, kWarningGreen);
        m_bBlinkPhase = 0;
    } else {
        pal.setColor(QPalette::WindowText, Qt::black);
        m_bBlinkPhase = 1;
    }
    vinLabel->setPalette(pal);
}

// ---------------------------------------------------------------------------
// Mileage

void CYaq2Dlg::OnEnChangeMileage()
{
    m_pSettings->Kilometer = m_pKm->text();
    if (VisiblePage() == m_pHLXDlg.get())
        m_pHLXDlg->ActivatePage();
    CChangeFlags changes;
    changes.bKilometer = 1;
    SetIdentChanged(changes);
    if (VisiblePage() == m_pBfndDlg.get())
        m_pBfndDlg->ActivatePage(0);
    else if (VisiblePage() == m_pSRPWlDlg.get())
        m_pSRPWlDlg->ActivatePage();
}

// ---------------------------------------------------------------------------
// Keys of the head buttons

namespace {
bool IsUserInput(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}
} // namespace

bool CYaq2Dlg::eventFilter(QObject *watched, QEvent *event)
{
    // While a sibling program runs the window takes no input (it still
    // paints and serves the DMS listener).
    if (m_pSibling && IsUserInput(event) && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget == this || isAncestorOf(widget))
            return true;
    }
    // The caption and the catalogue date change after the head row is
    // built: the title's tooltip is made when it is about to show.
    if (watched == m_pTitle && event->type() == QEvent::ToolTip)
        m_pTitle->setToolTip(TitleToolTip());
    if (event->type() == QEvent::KeyPress) {
        const int focusedId = m_headButtons.key(qobject_cast<COwnButton *>(watched), 0);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && m_pHomeDlg->IsCreated())
            m_pHomeDlg->update();
        switch (CHeadKeys::ForKey(key->key(), focusedId)) {
        case CHeadKeys::KeyRunButton:
            m_headButtons.value(focusedId)->click();
            return true;
        case CHeadKeys::KeyToHomePage:
            if (m_pHomeDlg->IsCreated() && m_pHomeDlg->isVisible()) {
                m_pHomeDlg->setFocus(Qt::TabFocusReason);
                m_pHomeDlg->AwButton()->setFocus(Qt::TabFocusReason);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// Help

void CYaq2Dlg::OpenHelp(int context)
{
    if (!PreparePageSwitch())
        return;
    const QString fileName = GetHelpFileName(context);
    OpenUrlInBrowser(CHelpFile::Path(GetAppDirectory(), GetPrgSprache(), fileName));
}

void CYaq2Dlg::OnBnClickedHelp()
{
    PlaySoundSelected(m_pSettings);
    if (m_nCurPage == CHelpFile::kContactContext)
        return;
    OpenHelp(m_nCurPage);
}

void CYaq2Dlg::WinHelp()
{
    OnBnClickedHelp();
}

void CYaq2Dlg::OnBnClickedHelpIndex()
{
    PlaySoundSelected(m_pSettings);
    OpenHelp(CHelpFile::kIndexContext);
}

// ---------------------------------------------------------------------------
// Sibling programs

bool CYaq2Dlg::RunSiblingProgram(const QString &program, const QStringList &arguments,
                                 const QString &shownCommand, bool minimise)
{
    if (m_pSibling)
        return false;
    QString reason;
    QProcess *process = StartChildProcess(program, arguments, this, &reason);
    if (!process) {
        OwnMsgBox(CSiblingProgram::StartFailedMessage(shownCommand, reason), this, kMsgBoxTitle,
                  MSG_ALIGN_NOTICE);
        return false;
    }
    // The window steps aside while the program runs, but keeps serving the
    // DMS listener: nothing here waits for the process.
    m_pSibling = process;
    const bool wasMaximised = isMaximized();
    qApp->installEventFilter(this);
    if (minimise)
        showMinimized();
    connect(process, &QProcess::finished, this, [this, process, minimise, wasMaximised] {
        m_pSibling = nullptr;
        process->deleteLater();
        qApp->removeEventFilter(this);
        if (minimise) {
            if (wasMaximised)
                showMaximized();
            else
                showNormal();
        }
        activateWindow();
    });
    return true;
}

void CYaq2Dlg::OnBnClickedDmsDownload()
{
    PlaySoundSelected(m_pSettings);
    const QString program = CSiblingProgram::DmsDownloadPath(GetAppDirectory());
    RunSiblingProgram(program, CSiblingProgram::DmsDownloadArguments(GetPrgSprache()), program,
                      false);
}

void CYaq2Dlg::StartY5Program()
{
    PlaySoundSelected(m_pSettings);
    if (!PreparePageSwitch())
        return;
    const QString program = CSiblingProgram::TwoWheelerPath(GetAppDirectory());
    const QString language = GetPrgSprache();
    const QString continueIn = CSiblingProgram::LanguageAfterTwoWheeler(language);
    if (continueIn != language) {
        SetPrgSprache(continueIn);
        if (CYaq2App *app = CYaq2App::Instance())
            app->m_ModelMapping.Load(GetPrgTextSprache());
    }
    SaveWindowPlacement();
    const QStringList arguments = CSiblingProgram::TwoWheelerArguments(*m_pSettings, language);
    RunSiblingProgram(program, arguments, CSiblingProgram::CommandLine(program, arguments), true);
}
