// The vehicle identification of the head row: the VIN edit, the type-key
// edit, the model-series choice with its catalogue picker, the question to
// the basket before a change of vehicle, and the change report to the pages.
//
// A look-up fills a pending identification; the settings take it only after
// the basket agreed and the brand checks passed. A refused, blocked or
// unknown vehicle leaves the settings with the previous vehicle.

#include "app/Yaq2Dlg.h"

#include "app/EReiheEntry.h"
#include "app/KatAuswahlDlg.h"
#include "app/ModelMapping.h"
#include "app/PendingIdent.h"
#include "app/VehicleIdent.h"
#include "app/VinCheck.h"
#include "app/Yaq2App.h"
#include "settings/PrgSettings.h"
#include "basket/WkDlg.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace {
// Writes a head-row field from code: never counts as a user edit.
void SetFieldText(QLineEdit *edit, const QString &text)
{
    const QSignalBlocker block(edit);
    edit->setText(text);
}

// Upper-cases what the user typed, keeping the cursor where it was.
void UpperCaseEdit(QLineEdit *edit)
{
    const QString text = edit->text();
    const QString upper = text.toUpper();
    if (upper == text)
        return;
    const int pos = edit->cursorPosition();
    SetFieldText(edit, upper);
    edit->setCursorPosition(pos);
}

// The wait cursor for one look-up.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Shows the model and lead type of the identified vehicle in their combos.
void SelectText(QComboBox *combo, const QString &text)
{
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly));
}

void SelectVehicle(QComboBox *model, QComboBox *leadType, const CPrgSettings &s)
{
    SelectText(model, s.ModellBez);
    SelectText(leadType, s.LeadTyp);
}

// A VIN of 7 or 8 characters is incomplete: after this pause the user is told.
constexpr int kIncompleteVinMs = 2000;
} // namespace

void CYaq2Dlg::ConnectIdentification()
{
    m_pVinTimer = new QTimer(this);
    m_pVinTimer->setObjectName(QStringLiteral("incompleteVinTimer"));
    m_pVinTimer->setInterval(kIncompleteVinMs);
    connect(m_pVinTimer, &QTimer::timeout, this, &CYaq2Dlg::OnTimerIncompleteVin);
    connect(m_pVin, &QLineEdit::textEdited, this, [this] {
        UpperCaseEdit(m_pVin);
        OnEnChangeFgstNr();
    });
    connect(m_pTypSchl, &QLineEdit::textEdited, this, [this] {
        UpperCaseEdit(m_pTypSchl);
        OnEnChangeTypSchl();
    });
    connect(m_pTypSchl, &QLineEdit::editingFinished, this, &CYaq2Dlg::OnEnKillfocusTypschl);
    connect(m_pEReihe, &QComboBox::activated, this, [this] { OnCbnSelchangeEReihe(); });
}

const CModelMapping *CYaq2Dlg::Mapping() const
{
    const CYaq2App *app = CYaq2App::Instance();
    return app ? &app->m_ModelMapping : nullptr;
}

bool CYaq2Dlg::IsIncompleteVinTimerActive() const
{
    return m_pVinTimer && m_pVinTimer->isActive();
}

void CYaq2Dlg::OnTimerIncompleteVin()
{
    const int length = m_pVin->text().size();
    if (length != 7 && length != 8)
        return;
    m_pVinTimer->stop();
    OwnMsgBox(OrmelText(7030), this);
}

void CYaq2Dlg::SetCatalogueCaption()
{
    CPrgSettings &s = *m_pSettings;
    s.DlgTitel = OrmelText(3009) + QStringLiteral("  ") + s.EReihe + QLatin1Char(' ') + s.Land;
    setWindowTitle(s.DlgTitel + GetVersionString());
}

// ---------------------------------------------------------------------------
// VIN

void CYaq2Dlg::OnEnChangeFgstNr()
{
    CPrgSettings &s = *m_pSettings;
    // Taken before anything is cleared: a refused VIN leaves the settings
    // with exactly this vehicle.
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    m_pVinTimer->stop();
    const QString vin = m_pVin->text();
    if (vin.size() == 7 || vin.size() == 8)
        m_pVinTimer->start();

    // While a VIN is typed the head row shows no type key. The settings, the
    // contract included, keep the previous vehicle until a new one is taken
    // over.
    SetFieldText(m_pTypSchl, QString());

    if (vin.size() != CVinCheck::kFullLength) {
        ResetVehicleFields(false, true);
        s.bCustomerSpecificPrice = 0;
        SetCustomerSpecificPrice();
        return;
    }

    const WaitCursor wait;
    if (!PreparePageSwitch())
        return;
    m_pVin->selectAll();

    CVehicleIdent ident(Db(0), s.DealerList, Mapping());
    CPendingIdent pending;
    const CVehicleIdent::VinResult found = ident.LookupVin(vin, s.bLocalDataSet != 0, pending);
    if (found != CVehicleIdent::VinFound) {
        if (found == CVehicleIdent::VinNoConnection)
            OwnMsgBox(OrmelText(7021), this);
        if (!s.bQvlAwToSrp)
            OwnMsgBox(OrmelText(4014), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
        KeepVehicleAfterRefusedVin(before);
        return;
    }

    SetFieldText(m_pTypSchl, pending.strTypSchl);
    m_bTypSchlFromVin = 1;
    m_bTypSchlFound = 1;
    TakeOverVehicle(pending, before, true);
    m_bTypSchlFromVin = 0;
    m_bTypSchlFound = 0;
    SetBrandCaption();
}

// Completes the pending identification with its catalogue, asks the basket
// and takes it over. Returns whether the settings now hold it.
bool CYaq2Dlg::TakeOverVehicle(CPendingIdent &pending, const CIdentSnapshot &before, bool fromVin)
{
    CPrgSettings &s = *m_pSettings;
    CVehicleIdent ident(Db(0), s.DealerList, Mapping());
    const CVehicleIdent::CatalogueResult catalogue = ident.CatalogueStep(pending);
    if (catalogue == CVehicleIdent::CatalogueRefused) {
        OwnMsgBox(OrmelText(4010), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
        if (fromVin) {
            KeepVehicleAfterRefusedVin(before);
            return false;
        }
        m_pTypSchl->setFocus();
        m_pTypSchl->selectAll();
        ResetVehicleFields(false, true);
        ShowContractColour();
        return false;
    }
    if (catalogue == CVehicleIdent::CatalogueNone) {
        OwnMsgBox(OrmelText(4011), this);
        SetFieldText(m_pVin, QString());
        SetFieldText(m_pTypSchl, QString());
        s.bCustomerSpecificPrice = 0;
        SetCustomerSpecificPrice();
    }

    // Only a change of vehicle asks the basket.
    const QString oldVin = before.Vin();
    const QString oldTypeKey = before.strTypSchl;
    if (ConfirmVehicleChange(oldVin, oldTypeKey, QString(), &before))
        return false;

    pending.CommitTo(s);
    if (!pending.bCleared) {
        // The VIN path keeps the type record's own model designation.
        if (fromVin)
            s.ModellBez = pending.strVerkBez;
        s.nVertrag = CheckContract();
        SetCatalogueCaption();
        FillModelCombos();
        SelectVehicle(m_pModell, m_pLeadType, s);
        // The hand-entered fields belong to a vehicle of a VIN only; after
        // a type key they stay empty and locked, as every page switch
        // would leave them.
        if (VehicleFieldsOpen())
            FirstRegistrationAfterIdent();
        else
            ApplyVehicleFieldRule();
    } else {
        FillModelCombos();
        ResetVehicleFields(false, true);
    }
    ShowContractColour();
    SetBrandCaption();
    SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
    return true;
}

// A VIN that identifies no vehicle to show: the settings keep the previous
// vehicle as a whole and the head row shows it again, contract and type key
// included. The typed VIN stays, selected, to be corrected.
void CYaq2Dlg::KeepVehicleAfterRefusedVin(const CIdentSnapshot &before)
{
    CPrgSettings &s = *m_pSettings;
    before.Restore(s);
    SetFieldText(m_pTypSchl, before.strTypSchl);
    ApplyVehicleFieldRule();
    s.bCustomerSpecificPrice = 0;
    SetCustomerSpecificPrice();
    ShowContractColour();
    SetBrandCaption();
    m_pVin->setFocus();
    m_pVin->selectAll();
}

// After an identification the first registration starts empty unless it was
// given with the vehicle; the DMS may be asked for it.
void CYaq2Dlg::FirstRegistrationAfterIdent()
{
    CPrgSettings &s = *m_pSettings;
    if (m_pErstzul->text() == OrmelText(6061)) {
        ResetVehicleFields(true, true);
        SetFieldText(m_pErstzul, QString());
        s.Erstzulassung.clear();
        UpdateFirstRegistration();
        return;
    }
    if (!m_bHoldAllA && !m_bHoldAllB && !m_bErstzulGivenAtStart)
        s.Erstzulassung.clear();
    ResetVehicleFields(true, true);
    UpdateFirstRegistration();
    m_bErstzulGivenAtStart = 0;
    m_bKmGivenAtStart = 0;
}

void CYaq2Dlg::UpdateFirstRegistration()
{
    CPrgSettings &s = *m_pSettings;
    if (m_bHoldAllA || m_bHoldAllB || s.bSession)
        return;
    s.bCustomerSpecificPrice = 0;
    const WaitCursor wait;
    QString text = s.Erstzulassung;
    if (!text.isEmpty() && text.size() != 10)
        text = OrmelText(6061);
    SetFieldText(m_pErstzul, text);
    int applied = 0;
    if (text.isEmpty()) {
        if (s.SRPInterfaceReq == 4 && s.XMLx && s.MarketingCampaigns) {
            applied = RequestFirstRegistrationDate();
        } else if (s.bSchulung && s.MarketingCampaigns) {
            s.Erstzulassung = s.SchulungEZ;
            SetFieldText(m_pErstzul, s.SchulungEZ);
        }
    }
    if (s.MarketingCampaigns && !applied && m_pErstzul->text().isEmpty())
        SetFieldText(m_pErstzul, OrmelText(6061));
    SetCustomerSpecificPrice();
}

// ---------------------------------------------------------------------------
// The question to the basket

int CYaq2Dlg::ConfirmVehicleChange(const QString &oldVin, const QString &oldTypeKey,
                                   const QString &oldFirstRegistration,
                                   const CIdentSnapshot *previous)
{
    if (m_bVehicleChangeGuard)
        return 0;
    const QString vinText = m_pVin->text();
    bool vinChanged = false;
    bool typeKeyChanged = false;
    if (!oldVin.isEmpty()) {
        if (oldVin == vinText)
            return 0;
        vinChanged = true;
    } else {
        typeKeyChanged = !oldTypeKey.isEmpty() && oldTypeKey != m_pTypSchl->text();
    }
    const bool firstRegistrationChanged =
        !oldFirstRegistration.isEmpty() && oldFirstRegistration != m_pErstzul->text();
    if (m_bHoldAllB || !(vinChanged || typeKeyChanged || firstRegistrationChanged))
        return 0;

    m_bVehicleChangeGuard = 1;
    m_pWkDlg->m_bVehicleChanged = 1;
    const int keep = m_basketQuestion ? m_basketQuestion() : m_pWkDlg->AddToBasket(nullptr, 0);
    if (keep != 1) {
        m_bVehicleChangeGuard = 0;
        return 0;
    }

    CPrgSettings &s = *m_pSettings;
    m_pWkDlg->m_bVehicleChanged = 0;
    if (previous) {
        // The settings go back to the previous vehicle as a whole.
        previous->Restore(s);
        RestoreHeadRow(*previous);
    } else {
        if (vinChanged) {
            SetFieldText(m_pVin, oldVin);
            m_pVin->setFocus();
            OnEnChangeFgstNr();
        } else if (typeKeyChanged) {
            SetFieldText(m_pTypSchl, oldTypeKey);
            OnEnChangeTypSchl();
        }
    }
    if (firstRegistrationChanged) {
        SetFieldText(m_pErstzul, oldFirstRegistration);
        s.Erstzulassung = oldFirstRegistration;
    }
    m_bVehicleChangeGuard = 0;
    return 1;
}

// Shows the vehicle of the snapshot in the head row again.
void CYaq2Dlg::RestoreHeadRow(const CIdentSnapshot &before)
{
    m_pVinTimer->stop();
    FillModelCombos();
    SelectVehicle(m_pModell, m_pLeadType, *m_pSettings);
    SetFieldText(m_pVin, before.Vin());
    SetFieldText(m_pTypSchl, before.strTypSchl);
    // The first registration of the kept vehicle, or the empty-date mask.
    if (!before.strErstzul.isEmpty())
        SetFieldText(m_pErstzul, before.strErstzul);
    else if (m_pErstzul->text().isEmpty() && m_pSettings->MarketingCampaigns)
        SetFieldText(m_pErstzul, OrmelText(6061));
    ApplyVehicleFieldRule();
    SetCatalogueCaption();
    ShowContractColour();
    SetBrandCaption();
    m_pVin->setFocus();
}

// ---------------------------------------------------------------------------
// Type key

void CYaq2Dlg::OnEnChangeTypSchl()
{
    CPrgSettings &s = *m_pSettings;
    if (m_bTypSchlFromVin) {
        // The VIN path completes the identification itself.
        return;
    }
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    ResetVehicleFields(false, true);
    SetFieldText(m_pVin, QString());
    s.bCustomerSpecificPrice = 0;
    SetCustomerSpecificPrice();

    const QString typeKey = m_pTypSchl->text();
    if (typeKey.size() != 4)
        return;
    if (!PreparePageSwitch())
        return;
    m_pTypSchl->selectAll();

    CVehicleIdent ident(Db(0), s.DealerList, Mapping());
    CPendingIdent pending;
    const CVehicleIdent::TypeKeyResult found = ident.LookupTypeKey(typeKey, pending);
    if (found == CVehicleIdent::TypeKeyNoConnection) {
        OwnMsgBox(OrmelText(7021), this);
    } else if (found != CVehicleIdent::TypeKeyFound) {
        OwnMsgBox(OrmelText(4010), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
        m_pTypSchl->selectAll();
    } else {
        m_bTypSchlFound = 1;
        TakeOverVehicle(pending, before, false);
        m_bTypSchlFound = 0;
    }
    ShowContractColour();
    SetBrandCaption();
}

void CYaq2Dlg::OnEnKillfocusTypschl()
{
    CPrgSettings &s = *m_pSettings;
    if (m_pTypSchl->text().size() == 4 || (s.TypSchl.isEmpty() && s.Fgstnr.isEmpty()))
        return;
    // A type key cut short takes the vehicle out once the basket agreed.
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    if (ConfirmVehicleChange(before.Vin(), before.strTypSchl, QString(), &before))
        return;
    s.TypSchl.clear();
    s.Fgstnr.clear();
    s.FgstnrFull.clear();
    s.ZusatzCode.clear();
    SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
}

// ---------------------------------------------------------------------------
// Model-series choice

void CYaq2Dlg::OnCbnSelchangeEReihe()
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    ResetVehicleFields(false, true);

    int index = m_pEReihe->currentIndex();
    const CEReiheEntry *entry = ModelSeriesEntry(index);
    if (entry && entry->nKind != CEReiheEntry::KindSeries) {
        // A heading is never chosen: the next row (the previous at the end).
        index = index + 1 < m_pEReihe->count() ? index + 1 : index - 1;
        const QSignalBlocker block(m_pEReihe);
        m_pEReihe->setCurrentIndex(index);
        entry = ModelSeriesEntry(index);
    }
    if (!entry || entry->nKind != CEReiheEntry::KindSeries)
        return;

    const QString series = entry->strEReihe;
    if (ModelSeriesList().CountSeries(series) > 1) {
        // Several catalogues of the series: the picker decides.
        s.bAltKatalog = 0;
        {
            const QSignalBlocker block(m_pEReihe);
            m_pEReihe->setCurrentIndex(FindModelSeries(before.strEReihe));
        }
        const QPoint below = m_pModell->mapToGlobal(QPoint(0, m_pModell->height()));
        CKatAuswahlDlg picker(m_pSettings, this);
        if (picker.DoModal(series, below.x(), below.y(), &ModelSeriesList()) ==
            CKatAuswahlDlg::kTaken) {
            const QSignalBlocker block(m_pEReihe);
            m_pEReihe->setCurrentIndex(FindModelSeries(series));
        } else {
            s.bAltKatalog = before.bAltKatalog;
        }
    } else {
        s.Bestellnr = entry->strTypNr;
        s.EReihe = entry->strEReihe;
        s.Marke = entry->strMarke;
        s.KatalogKey = entry->strKatBstNr.isEmpty() ? QStringLiteral("1") : entry->strKatBstNr;
        s.Land = entry->strLand;
        s.bAltKatalog = entry->strTypNr.size() == 8 && s.nKatalogFlag == 0 ? 1 : 0;
    }
    SetCatalogueCaption();

    if (s.Bestellnr != before.strTypNr) {
        // Another catalogue: the vehicle is taken out, the model is chosen anew.
        s.FgstnrFull.clear();
        s.Fgstnr.clear();
        s.nVertrag = 0;
        s.VertragText1.clear();
        s.bCustomerSpecificPrice = 0;
        SetCustomerSpecificPrice();
        s.ZusatzCode.clear();
        s.TypSchl.clear();
        s.ModellBez = s.bKatalogansicht ? QStringLiteral(". . . . . . .") : QString();
        s.LeadTyp.clear();
        SetFieldText(m_pVin, QString());
        SetFieldText(m_pTypSchl, QString());
        s.nKatalogFlag = s.KatalogKey != QLatin1String("1") ? 1 : 0;
        s.HGText.clear();
        s.KatZeile.clear();
        FillModelCombos();
        if (m_pModell->count() == 1) {
            {
                const QSignalBlocker block(m_pModell);
                m_pModell->setCurrentIndex(0);
            }
            s.ModellBez = m_pModell->itemText(0);
            OnCbnSelchangeVerkbez();
        }
        if (s.ModellBez.isEmpty() && !s.Bestellnr.isEmpty()) {
            m_pModell->setFocus();
            m_pModell->showPopup();
        }
        SetBrandCaption();
    }
    ShowContractColour();
    if (ConfirmVehicleChange(before.Vin(), before.strTypSchl, QString(), &before))
        return;
    SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
}

// ---------------------------------------------------------------------------
// Change report

void SetIdentChanged(CYaq2Dlg *dlg, int identChanged, int vinChanged, int typeKeyChanged,
                     int seriesChanged, int typeNumberChanged, int modelChanged,
                     int leadTypeChanged, int firstRegistrationChanged, int languageChanged,
                     int mileageChanged, int setupChanged1, int setupChanged2, int setupChanged3,
                     int setupChanged4)
{
    if (!dlg)
        return;
    CChangeFlags c;
    c.bIdent = identChanged;
    c.bFgstnr = vinChanged;
    c.bTypSchl = typeKeyChanged;
    c.bEReihe = seriesChanged;
    c.bTypNr = typeNumberChanged;
    c.bModellBez = modelChanged;
    c.bLeadTyp = leadTypeChanged;
    c.bErstzul = firstRegistrationChanged;
    c.bSprache = languageChanged;
    c.bKilometer = mileageChanged;
    c.bSetup1 = setupChanged1;
    c.bSetup2 = setupChanged2;
    c.bSetup3 = setupChanged3;
    c.bSetup4 = setupChanged4;
    dlg->SetIdentChanged(c);
}
