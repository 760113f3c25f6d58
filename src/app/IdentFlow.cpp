#include "app/IdentFlow.h"

#include "app/EReiheEntry.h"
#include "app/FirstRegistration.h"
#include "app/HeadRowCatalogue.h"
#include "app/HeadRowView.h"
#include "app/KatAuswahlDlg.h"
#include "app/PendingIdent.h"
#include "app/VinCheck.h"
#include "basket/model/WkBasket.h"
#include "common/WaitCursor.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/CatalogueFailure.h"
#include "settings/PrgSettings.h"

#include <QComboBox>
#include <QFocusEvent>
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
// A VIN of 7 or 8 characters is incomplete: after this pause the user is told.
constexpr int kIncompleteVinMs = 2000;
} // namespace

CIdentFlow::CIdentFlow(IIdentHost &host, CHeadRowView &view, CPrgSettings *settings)
    : m_host(host), m_view(view), m_pSettings(settings), m_firstRegField(settings)
{
    // Made a child of the window: the tests shorten its pause.
    m_pVinTimer = new QTimer(host.Window());
    m_pVinTimer->setObjectName(QStringLiteral("incompleteVinTimer"));
    m_pVinTimer->setInterval(kIncompleteVinMs);
    connect(m_pVinTimer, &QTimer::timeout, this, &CIdentFlow::OnTimerIncompleteVin);
    QLineEdit *vin = view.Vin();
    QLineEdit *typeKey = view.TypeKey();
    connect(vin, &QLineEdit::textEdited, this, [this, vin] {
        UpperCaseEdit(vin);
        Identify(CGivenVehicle::TypedVin(vin->text()));
    });
    connect(typeKey, &QLineEdit::textEdited, this, [this, typeKey] {
        UpperCaseEdit(typeKey);
        Identify(CGivenVehicle::TypedTypeKey(typeKey->text()));
    });
    connect(typeKey, &QLineEdit::editingFinished, this, &CIdentFlow::OnEnKillfocusTypschl);
    connect(view.Series(), &QComboBox::activated, this, [this] { OnCbnSelchangeEReihe(); });
    connect(view.Model(), &QComboBox::activated, this, &CIdentFlow::OnCbnSelchangeVerkbez);
    connect(view.LeadType(), &QComboBox::activated, this, &CIdentFlow::OnCbnSelchangeLeittyp);
    QLineEdit *firstRegistration = view.FirstRegistration();
    connect(firstRegistration, &QLineEdit::textEdited, this,
            &CIdentFlow::OnEnChangeFirstRegistration);
    firstRegistration->installEventFilter(this);
    vin->installEventFilter(this);
}

bool CIdentFlow::IsIncompleteVinTimerActive() const
{
    return m_pVinTimer->isActive();
}

void CIdentFlow::ResetVehicleFields(bool enable, bool reset)
{
    m_view.ResetVehicleFields(enable, reset, m_holds.VehicleBringsFields(),
                              m_holds.KeepsFirstRegistration(), m_holds.KeepsMileage());
}

bool CIdentFlow::VehicleFieldsOpen() const
{
    // An identified vehicle keeps the last seven characters of its VIN in
    // the settings; only then do the hand-entered fields belong to it.
    return m_pSettings->Fgstnr.size() == 7;
}

void CIdentFlow::ApplyVehicleFieldRule()
{
    if (VehicleFieldsOpen())
        ResetVehicleFields(m_view.IsEnabled(), false);
    else
        ResetVehicleFields(false, true);
}

void CIdentFlow::OnTimerIncompleteVin()
{
    const int length = m_view.Vin()->text().size();
    if (length != 7 && length != 8)
        return;
    m_pVinTimer->stop();
    OwnMsgBox(OrmelText(7030), m_host.Window());
}

void CIdentFlow::SetCatalogueCaption()
{
    CPrgSettings &s = *m_pSettings;
    s.DlgTitel = OrmelText(3009) + QStringLiteral("  ") + s.EReihe + QLatin1Char(' ') + s.Land;
    m_view.SetWindowTitle();
}

// ---------------------------------------------------------------------------
// The vehicles handed in

bool CIdentFlow::Identify(const CGivenVehicle &vehicle)
{
    m_bCatalogueReadFailed = false;
    switch (vehicle.origin) {
    case CGivenVehicle::Typed:
        // The field shows what was typed.
        if (vehicle.byTypeKey)
            IdentifyTypeKey(vehicle.typeKey);
        else
            IdentifyVin(vehicle.vin);
        return true;
    case CGivenVehicle::Start:
        SetFieldText(m_view.Vin(), vehicle.vin);
        if (vehicle.firstRegistration)
            SetFieldText(m_view.FirstRegistration(), *vehicle.firstRegistration);
        if (vehicle.mileage)
            SetFieldText(m_view.Mileage(), *vehicle.mileage);
        m_holds.GivenAtStart(vehicle.firstRegistration.has_value(), vehicle.mileage.has_value());
        ResetVehicleFields(true, true);
        IdentifyVin(vehicle.vin);
        return true;
    case CGivenVehicle::Search:
        return TakeSearchResult(vehicle);
    case CGivenVehicle::DmsShown:
    case CGivenVehicle::DmsNew:
        return TakeDmsVehicle(vehicle);
    }
    return false;
}

bool CIdentFlow::TakeSearchResult(const CGivenVehicle &found)
{
    CPrgSettings &s = *m_pSettings;
    // The found vehicle brings its own first registration, mileage and
    // plate: while its VIN is identified the head row keeps those fields and
    // the DMS is not asked for the date. The basket is asked as for a typed
    // VIN.
    m_holds.SearchResultArrives();
    SetFieldText(m_view.Vin(), found.vin);
    IdentifyVin(found.vin);
    m_holds.SearchResultTaken();
    if (s.FgstnrFull != found.vin)
        return false; // refused, or the basket kept the vehicle shown

    const QString firstRegistration = found.firstRegistration.value_or(QString());
    const QString mileage = found.mileage.value_or(QString());
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    const bool mileageChanged = s.Kilometer != mileage;
    s.Erstzulassung = firstRegistration;
    SetFieldText(m_view.FirstRegistration(), firstRegistration.isEmpty() && s.MarketingCampaigns
                                                 ? OrmelText(6061)
                                                 : firstRegistration);
    s.Kilometer = mileage;
    SetFieldText(m_view.Mileage(), mileage);
    SetFieldText(m_view.Plate(), found.plate.value_or(QString()));
    m_view.SetCustomerSpecificPrice();
    CChangeFlags changes = CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s));
    changes.bKilometer = mileageChanged ? 1 : 0;
    m_host.SetIdentChanged(changes);
    return true;
}

bool CIdentFlow::TakeDmsVehicle(const CGivenVehicle &pushed)
{
    CPrgSettings &s = *m_pSettings;
    // From the DMS's confirmation until its request is handled the head row
    // keeps the hand-entered fields, and the basket is not asked again.
    m_holds.DmsVehicleConfirmed();
    bool taken = true;
    if (pushed.origin == CGivenVehicle::DmsNew) {
        m_host.ShowHomePage();
        if (!pushed.vinShown) {
            SetFieldText(m_view.Vin(), pushed.vin);
            IdentifyVin(pushed.vin);
        }
        // Only a vehicle identified takes the fields of the DMS: never the
        // vehicle shown again after its catalogue could not be read.
        taken = !m_bCatalogueReadFailed && !s.TypSchl.isEmpty() && !s.Fgstnr.isEmpty();
        if (taken) {
            SetFieldText(m_view.Plate(), pushed.plate.value_or(QString()));
            SetFieldText(m_view.Mileage(), QString());
            s.Kilometer.clear();
        }
    }
    if (taken) {
        s.Kilometer = pushed.mileage.value_or(QString());
        if (pushed.customerSpecificPrice >= 0)
            s.bCustomerSpecificPrice = pushed.customerSpecificPrice;
        SetFieldText(m_view.Mileage(), s.Kilometer);
        m_view.SetCustomerSpecificPrice();
    }
    if (taken && pushed.firstRegistration) {
        // A date the DMS did not send leaves the field as leaving it empty
        // does.
        const QString &date = *pushed.firstRegistration;
        s.Erstzulassung = date;
        const CFirstRegistration::FieldResult field =
            CFirstRegistration(m_pSettings).OnKillFocus(date, {});
        SetFieldText(m_view.FirstRegistration(), field.fieldText);
    }
    m_holds.DmsRequestDone();
    return taken;
}

// ---------------------------------------------------------------------------
// VIN

void CIdentFlow::IdentifyVin(const QString &vin)
{
    CPrgSettings &s = *m_pSettings;
    // The identification as the pages were last told it.
    const CIdentSnapshot shown = CIdentSnapshot::Take(s);
    m_pVinTimer->stop();
    if (vin.size() == 7 || vin.size() == 8)
        m_pVinTimer->start();

    // While a VIN is typed the head row shows no type key.
    SetFieldText(m_view.TypeKey(), QString());

    if (vin.size() != CVinCheck::kFullLength) {
        if (s.bQvlAwToSrp && vin.size() == CVinCheck::kShortLength && IdentifyShortVin(vin, shown))
            return;
        if (!CPendingIdent::VinFieldShowsVehicle(s, vin)) {
            TakeOutVehicle(shown);
            return;
        }
        ResetVehicleFields(false, true);
        s.bCustomerSpecificPrice = 0;
        m_view.SetCustomerSpecificPrice();
        return;
    }

    const CWaitCursor wait;
    if (!m_host.PreparePageSwitch())
        return;
    m_view.Vin()->selectAll();

    CPendingIdent pending;
    const CVehicleIdent::VinResult found = m_host.HeadRow().LookupVin(vin, pending);
    if (found == CVehicleIdent::VinReadFailed) {
        // Never "not found": the head row shows the vehicle it showed (or
        // the VIN stays, selected, to be tried again) before the message.
        KeepVehicleAfterFailedRead(shown);
        TellCatalogueFailure();
        return;
    }
    if (found != CVehicleIdent::VinFound) {
        if (found == CVehicleIdent::VinNoConnection)
            Tell(OrmelText(7021), MSG_ALIGN_LEFT);
        if (!s.bQvlAwToSrp)
            OwnMsgBox(OrmelText(4014), m_host.Window(), kMsgBoxTitle, MSG_ALIGN_NOTICE);
        RefuseVin(shown);
        return;
    }

    SetFieldText(m_view.TypeKey(), pending.strTypSchl);
    m_bTypSchlFromVin = true;
    TakeOverVehicle(pending, shown, true);
    m_bTypSchlFromVin = false;
    m_view.SetBrandCaption();
}

// The transfer system's package request names its vehicle by the last seven
// characters of the VIN: the vehicle is identified without a window when
// exactly one vehicle of the catalogue carries them. False when none or
// several do; the request then finds no package for it.
bool CIdentFlow::IdentifyShortVin(const QString &vin, const CIdentSnapshot &shown)
{
    CPendingIdent pending;
    if (m_host.HeadRow().LookupShortVin(vin, pending) != CVehicleIdent::VinFound)
        return false;
    m_pVinTimer->stop();
    const CWaitCursor wait;
    if (!m_host.PreparePageSwitch())
        return true;
    SetFieldText(m_view.TypeKey(), pending.strTypSchl);
    m_bTypSchlFromVin = true;
    TakeOverVehicle(pending, shown, true);
    m_bTypSchlFromVin = false;
    m_view.SetBrandCaption();
    return true;
}

void CIdentFlow::Tell(const QString &text, int align) const
{
    // The transfer system's package request shows no window and no
    // message: its answer on the clipboard tells what went wrong.
    if (m_pSettings->bQvlAwToSrp)
        return;
    OwnMsgBox(text, m_host.Window(), kMsgBoxTitle, align);
}

void CIdentFlow::TellCatalogueFailure() const
{
    if (CatalogueFailure::ToTell())
        Tell(CatalogueFailure::Text(), MSG_ALIGN_LEFT);
}

CIdentSnapshot CIdentFlow::BasketVehicle(const CIdentSnapshot &shown) const
{
    return m_takenOut ? *m_takenOut : shown;
}

void CIdentFlow::ForgetTakenOutVehicle()
{
    m_takenOut.reset();
    m_held.reset();
}

// Completes the pending identification with its catalogue, asks the basket
// and takes it over. Returns whether the settings now hold it.
bool CIdentFlow::TakeOverVehicle(CPendingIdent &pending, const CIdentSnapshot &shown, bool fromVin)
{
    CPrgSettings &s = *m_pSettings;
    const CVehicleIdent::CatalogueResult catalogue = m_host.HeadRow().CatalogueStep(pending);
    if (catalogue == CVehicleIdent::CatalogueReadFailed) {
        if (fromVin) {
            KeepVehicleAfterFailedRead(shown);
            TellCatalogueFailure();
            return false;
        }
        KeepVehicleAfterFailedTypeKey(shown);
        return false;
    }
    if (catalogue == CVehicleIdent::CatalogueRefused) {
        Tell(OrmelText(4010), MSG_ALIGN_NOTICE);
        if (fromVin) {
            RefuseVin(shown);
            return false;
        }
        m_view.TypeKey()->setFocus();
        m_view.TypeKey()->selectAll();
        ResetVehicleFields(false, true);
        m_view.ShowContractColour();
        return false;
    }
    // The VIN the head row shows.
    QString vin = pending.strFgstnrFull;
    if (catalogue == CVehicleIdent::CatalogueNone) {
        OwnMsgBox(OrmelText(4011), m_host.Window());
        vin.clear();
        SetFieldText(m_view.Vin(), QString());
        SetFieldText(m_view.TypeKey(), QString());
        s.bCustomerSpecificPrice = 0;
        m_view.SetCustomerSpecificPrice();
    }

    // Only a change of vehicle asks the basket, and it is asked about the
    // vehicle its entries belong to.
    const CIdentSnapshot previous = BasketVehicle(shown);
    if (ConfirmVehicleChange(previous.Vin(), previous.strTypSchl, QString(), &previous)) {
        ForgetTakenOutVehicle();
        // The pages saw the vehicle go while its VIN was typed.
        m_host.SetIdentChanged(CIdentSnapshot::Changes(shown, CIdentSnapshot::Take(s)));
        return false;
    }

    pending.CommitTo(s);
    if (!pending.bCleared) {
        // The VIN path keeps the type record's own model designation.
        if (fromVin)
            s.ModellBez = pending.strVerkBez;
        const CHeadRowCatalogue::ContractResult contract = m_host.HeadRow().CheckContract(vin);
        if (contract == CHeadRowCatalogue::ContractNoConnection)
            Tell(OrmelText(7021), MSG_ALIGN_LEFT);
        // The vehicle is taken (the basket agreed): a contract that could not
        // be read is told, never shown as none without a word.
        const bool told = contract == CHeadRowCatalogue::ContractReadFailed;
        if (told)
            TellCatalogueFailure();
        s.nVertrag = contract == CHeadRowCatalogue::ContractFound ? 1 : 0;
        // Checked again where the flag is used, once the catalogue answers.
        s.bVertragUngeprueft = told ? 1 : 0;
        SetCatalogueCaption();
        // Models that could not be read leave the vehicle's own model and
        // lead type in the combos; told once in the step.
        if (!m_view.FillModelCombos(true) && !told)
            TellCatalogueFailure();
        // The hand-entered fields belong to a vehicle of a VIN only; after
        // a type key they stay empty and locked, as every page switch
        // would leave them. The VIN of the vehicle taken out, typed again
        // after a slip, brings back what was typed for it.
        if (!VehicleFieldsOpen()) {
            ApplyVehicleFieldRule();
        } else if (m_held && m_held->vin == s.FgstnrFull) {
            ApplyVehicleFieldRule();
            RestoreHeldFields(s.FgstnrFull);
        } else {
            FirstRegistrationAfterIdent();
        }
    } else {
        if (!m_view.FillModelCombos(false))
            TellCatalogueFailure();
        ResetVehicleFields(false, true);
    }
    ForgetTakenOutVehicle();
    m_view.ShowContractColour();
    m_view.SetBrandCaption();
    m_host.SetIdentChanged(CIdentSnapshot::Changes(shown, CIdentSnapshot::Take(s)));
    return true;
}

// The VIN field no longer shows the vehicle of the settings (a VIN being
// typed, or one that identifies no vehicle to show): the vehicle goes with
// its contract and its hand-entered fields, and the pages are told, so that
// no page, DMS request, print-out or transfer goes on with it. The catalogue
// shown stays. The vehicle is remembered: the basket's entries belong to
// it, so the next vehicle asks the basket about it.
void CIdentFlow::TakeOutVehicle(const CIdentSnapshot &shown)
{
    CPrgSettings &s = *m_pSettings;
    if (!m_takenOut && shown.HasVehicle()) {
        m_takenOut = shown;
        m_held.reset();
        if (VehicleFieldsOpen())
            m_held = HeldFields{shown.Vin(),
                                s.Kilometer,
                                s.Erstzulassung,
                                m_view.Mileage()->text(),
                                m_view.Plate()->text(),
                                m_view.FirstRegistration()->text()};
    }
    CPendingIdent::ForgetVin(s);
    ResetVehicleFields(false, true);
    m_view.SetCustomerSpecificPrice();
    m_view.ShowContractColour();
    m_view.SetBrandCaption();
    // While the adviser types in the VIN field the visible page waits: it
    // follows when he leaves the field, or with the vehicle found.
    m_host.SetIdentChanged(CIdentSnapshot::Changes(shown, CIdentSnapshot::Take(s)),
                           m_host.Window()->focusWidget() == m_view.Vin());
}

// A VIN that identifies no vehicle to show stays, selected, to be corrected.
// Its look-up has answered: the visible page follows at once, as after a
// vehicle found, and shows nothing more of the vehicle taken out.
void CIdentFlow::RefuseVin(const CIdentSnapshot &shown)
{
    SetFieldText(m_view.TypeKey(), QString());
    TakeOutVehicle(shown);
    m_host.ShowWaitingPage();
    // The page shown again took the focus: the VIN gets it back.
    m_view.Vin()->setFocus();
    m_view.Vin()->selectAll();
}

// The catalogue could not be read for a typed VIN: the head row shows the
// vehicle it showed before the VIN was typed, whole (its VIN, type key,
// model series, model and hand-entered fields), which the basket's entries
// belong to; without one the VIN is refused as one that names no vehicle.
// Never the new VIN beside the old vehicle's catalogue.
void CIdentFlow::KeepVehicleAfterFailedRead(const CIdentSnapshot &shown)
{
    m_bCatalogueReadFailed = true;
    const CIdentSnapshot previous = BasketVehicle(shown);
    if (!previous.HasVehicle()) {
        RefuseVin(shown);
        return;
    }
    previous.Restore(*m_pSettings);
    // The combos still show its lists: they stay, unread.
    const CHeadRowView::ComboLists lists = m_view.TakeComboLists();
    RestoreHeadRow(previous, &lists);
    ForgetTakenOutVehicle();
    m_host.SetIdentChanged(CIdentSnapshot::Changes(shown, CIdentSnapshot::Take(*m_pSettings)));
    m_view.Vin()->selectAll();
}

// The catalogue could not be read for a typed type key: the head row shows
// the vehicle it showed, whole, with its lists (never the new type key
// beside the old model); without one the type key stays, selected, to be
// tried again. Then the lost server is told.
void CIdentFlow::KeepVehicleAfterFailedTypeKey(const CIdentSnapshot &shown)
{
    m_bCatalogueReadFailed = true;
    CPrgSettings &s = *m_pSettings;
    if (shown.HasVehicle()) {
        const CHeadRowView::ComboLists lists = m_view.TakeComboLists();
        shown.Restore(s);
        RestoreHeadRow(shown, &lists);
        m_host.SetIdentChanged(CIdentSnapshot::Changes(shown, CIdentSnapshot::Take(s)));
    }
    m_view.TypeKey()->setFocus();
    TellCatalogueFailure();
    m_view.TypeKey()->selectAll();
}

// The vehicle of this VIN is in the settings again: so are its hand-entered
// fields.
void CIdentFlow::RestoreHeldFields(const QString &vin)
{
    if (!m_held || m_held->vin != vin || !VehicleFieldsOpen())
        return;
    CPrgSettings &s = *m_pSettings;
    s.Kilometer = m_held->kilometer;
    s.Erstzulassung = m_held->erstzul;
    SetFieldText(m_view.Mileage(), m_held->mileageText);
    SetFieldText(m_view.Plate(), m_held->plateText);
    SetFieldText(m_view.FirstRegistration(), m_held->firstRegistrationText);
}

// After an identification the first registration starts empty unless it was
// given with the vehicle; the DMS may be asked for it.
void CIdentFlow::FirstRegistrationAfterIdent()
{
    CPrgSettings &s = *m_pSettings;
    if (m_view.FirstRegistration()->text() == OrmelText(6061)) {
        ResetVehicleFields(true, true);
        SetFieldText(m_view.FirstRegistration(), QString());
        s.Erstzulassung.clear();
        UpdateFirstRegistration();
        return;
    }
    if (!m_holds.KeepsFirstRegistration())
        s.Erstzulassung.clear();
    ResetVehicleFields(true, true);
    UpdateFirstRegistration();
    m_holds.StartVehicleIdentified();
}

void CIdentFlow::UpdateFirstRegistration()
{
    CPrgSettings &s = *m_pSettings;
    if (m_holds.VehicleBringsFields() || s.bSession)
        return;
    s.bCustomerSpecificPrice = 0;
    const CWaitCursor wait;
    QString text = s.Erstzulassung;
    if (!text.isEmpty() && text.size() != 10)
        text = OrmelText(6061);
    SetFieldText(m_view.FirstRegistration(), text);
    int applied = 0;
    if (text.isEmpty()) {
        if (CFirstRegistration::ShouldRequest(s)) {
            applied = RequestFirstRegistrationDate();
        } else if (s.bSchulung && s.MarketingCampaigns) {
            s.Erstzulassung = s.SchulungEZ;
            SetFieldText(m_view.FirstRegistration(), s.SchulungEZ);
        }
    }
    if (s.MarketingCampaigns && !applied && m_view.FirstRegistration()->text().isEmpty())
        SetFieldText(m_view.FirstRegistration(), OrmelText(6061));
    m_view.SetCustomerSpecificPrice();
}

int CIdentFlow::RequestFirstRegistrationDate()
{
    const CFirstRegistration::AnswerResult r = m_host.RequestFirstRegistrationDate();
    if (!r.applied)
        return 0;
    SetFieldText(m_view.FirstRegistration(), r.firstRegistration);
    if (r.hasMileage)
        SetFieldText(m_view.Mileage(), r.mileage);
    m_host.SetIdentChanged(r.changes);
    return r.applied;
}

// ---------------------------------------------------------------------------
// The first registration field

bool CIdentFlow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view.Vin() && event->type() == QEvent::FocusOut) {
        // The adviser left the VIN field (not merely the window, for a
        // message or another program): a page that waited for the VIN
        // follows now, once the focus has moved.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QMetaObject::invokeMethod(
                this, [this] { m_host.ShowWaitingPage(); }, Qt::QueuedConnection);
    }
    QLineEdit *field = m_view.FirstRegistration();
    if (watched == field) {
        if (event->type() == QEvent::FocusIn)
            SetFieldText(field, CFirstRegistration::OnSetFocus(field->text(), field->isReadOnly()));
        else if (event->type() == QEvent::FocusOut && !field->isReadOnly())
            OnKillfocusFirstRegistration();
    }
    return QObject::eventFilter(watched, event);
}

void CIdentFlow::OnEnChangeFirstRegistration()
{
    QLineEdit *field = m_view.FirstRegistration();
    QString text = field->text();
    const int caret = CFirstRegistration::FilterTyped(text);
    if (caret >= 0) {
        SetFieldText(field, text);
        field->setCursorPosition(caret);
    }
    // The basket is asked against the date the settings hold before.
    const QString old = m_pSettings->Erstzulassung;
    ApplyFirstRegistrationField(m_firstRegField.OnChange(
        text, [this, old] { return ConfirmVehicleChange(QString(), QString(), old); }));
}

void CIdentFlow::OnKillfocusFirstRegistration()
{
    const QString old = m_pSettings->Erstzulassung;
    ApplyFirstRegistrationField(
        m_firstRegField.OnKillFocus(m_view.FirstRegistration()->text(), [this, old] {
            return ConfirmVehicleChange(QString(), QString(), old);
        }));
}

void CIdentFlow::ApplyFirstRegistrationField(const CFirstRegistration::FieldResult &result)
{
    QLineEdit *field = m_view.FirstRegistration();
    if (field->text() != result.fieldText)
        SetFieldText(field, result.fieldText);
    if (result.selectAll)
        field->selectAll();
    if (result.messageId)
        OwnMsgBox(OrmelText(result.messageId), m_host.Window());
    m_host.SetIdentChanged(result.changes);
}

// ---------------------------------------------------------------------------
// The question to the basket

int CIdentFlow::ConfirmVehicleChange(const QString &oldVin, const QString &oldTypeKey,
                                     const QString &oldFirstRegistration,
                                     const CIdentSnapshot *previous)
{
    if (m_bVehicleChangeGuard)
        return 0;
    const QString vinText = m_view.Vin()->text();
    bool vinChanged = false;
    bool typeKeyChanged = false;
    if (!oldVin.isEmpty()) {
        if (oldVin == vinText)
            return 0;
        vinChanged = true;
    } else {
        typeKeyChanged = !oldTypeKey.isEmpty() && oldTypeKey != m_view.TypeKey()->text();
    }
    const bool firstRegistrationChanged =
        !oldFirstRegistration.isEmpty() &&
        oldFirstRegistration != m_view.FirstRegistration()->text();
    if (!m_holds.AsksBasket() || !(vinChanged || typeKeyChanged || firstRegistrationChanged))
        return 0;

    m_bVehicleChangeGuard = true;
    CWkBasket *basket = m_host.Basket();
    basket->SetVehicleChanged(true);
    const int keep = m_basketQuestion ? m_basketQuestion() : basket->SettleVehicleChange();
    if (keep != 1) {
        m_bVehicleChangeGuard = false;
        return 0;
    }

    CPrgSettings &s = *m_pSettings;
    basket->SetVehicleChanged(false);
    if (previous) {
        // The settings go back to the previous vehicle as a whole.
        previous->Restore(s);
        RestoreHeadRow(*previous);
    } else {
        if (vinChanged) {
            SetFieldText(m_view.Vin(), oldVin);
            m_view.Vin()->setFocus();
            IdentifyVin(oldVin);
        } else if (typeKeyChanged) {
            SetFieldText(m_view.TypeKey(), oldTypeKey);
            IdentifyTypeKey(oldTypeKey);
        }
    }
    if (firstRegistrationChanged) {
        SetFieldText(m_view.FirstRegistration(), oldFirstRegistration);
        s.Erstzulassung = oldFirstRegistration;
    }
    m_bVehicleChangeGuard = false;
    return 1;
}

// Shows the vehicle of the snapshot in the head row again; with its lists
// as they were shown, else read anew.
void CIdentFlow::RestoreHeadRow(const CIdentSnapshot &before, const CHeadRowView::ComboLists *lists)
{
    m_pVinTimer->stop();
    if (lists)
        m_view.PutComboLists(*lists);
    else if (!m_view.FillModelCombos(true))
        TellCatalogueFailure();
    SetFieldText(m_view.Vin(), before.Vin());
    SetFieldText(m_view.TypeKey(), before.strTypSchl);
    // The first registration of the kept vehicle, or the empty-date mask.
    if (!before.strErstzul.isEmpty())
        SetFieldText(m_view.FirstRegistration(), before.strErstzul);
    else if (m_view.FirstRegistration()->text().isEmpty() && m_pSettings->MarketingCampaigns)
        SetFieldText(m_view.FirstRegistration(), OrmelText(6061));
    ApplyVehicleFieldRule();
    RestoreHeldFields(before.Vin());
    SetCatalogueCaption();
    m_view.SetCustomerSpecificPrice();
    m_view.ShowContractColour();
    m_view.SetBrandCaption();
    m_view.Vin()->setFocus();
}

// ---------------------------------------------------------------------------
// Type key

void CIdentFlow::IdentifyTypeKey(const QString &typeKey)
{
    CPrgSettings &s = *m_pSettings;
    if (m_bTypSchlFromVin) {
        // The VIN path completes the identification itself.
        return;
    }
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    ResetVehicleFields(false, true);
    SetFieldText(m_view.Vin(), QString());
    s.bCustomerSpecificPrice = 0;
    m_view.SetCustomerSpecificPrice();

    if (typeKey.size() != 4)
        return;
    if (!m_host.PreparePageSwitch())
        return;
    m_view.TypeKey()->selectAll();

    CPendingIdent pending;
    const CVehicleIdent::TypeKeyResult found = m_host.HeadRow().LookupTypeKey(typeKey, pending);
    if (found == CVehicleIdent::TypeKeyNoConnection) {
        Tell(OrmelText(7021), MSG_ALIGN_LEFT);
    } else if (found == CVehicleIdent::TypeKeyReadFailed) {
        KeepVehicleAfterFailedTypeKey(before);
    } else if (found != CVehicleIdent::TypeKeyFound) {
        Tell(OrmelText(4010), MSG_ALIGN_NOTICE);
        m_view.TypeKey()->selectAll();
    } else {
        TakeOverVehicle(pending, before, false);
    }
    m_view.ShowContractColour();
    m_view.SetBrandCaption();
}

void CIdentFlow::OnEnKillfocusTypschl()
{
    CPrgSettings &s = *m_pSettings;
    if (m_view.TypeKey()->text().size() == 4 || (s.TypSchl.isEmpty() && s.Fgstnr.isEmpty()))
        return;
    // A type key cut short takes the vehicle out once the basket agreed.
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    if (ConfirmVehicleChange(before.Vin(), before.strTypSchl, QString(), &before))
        return;
    s.TypSchl.clear();
    s.Fgstnr.clear();
    s.FgstnrFull.clear();
    s.ZusatzCode.clear();
    m_host.SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
}

// ---------------------------------------------------------------------------
// Model-series choice

void CIdentFlow::OnCbnSelchangeEReihe()
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    CHeadRowView::ComboLists shownLists = m_view.TakeComboLists();
    ResetVehicleFields(false, true);

    int index = m_view.Series()->currentIndex();
    const CHeadRowCatalogue &head = m_host.HeadRow();
    const CEReiheEntry *entry = head.SeriesItem(index);
    if (entry && entry->nKind != CEReiheEntry::KindSeries) {
        // A heading is never chosen: the next row (the previous at the end).
        index = index + 1 < m_view.Series()->count() ? index + 1 : index - 1;
        const QSignalBlocker block(m_view.Series());
        m_view.Series()->setCurrentIndex(index);
        entry = head.SeriesItem(index);
    }
    if (!entry || entry->nKind != CEReiheEntry::KindSeries)
        return;

    const QString series = entry->strEReihe;
    if (head.ModelSeriesList().CountSeries(series) > 1) {
        // Several catalogues of the series: the picker decides.
        s.bAltKatalog = 0;
        {
            const QSignalBlocker block(m_view.Series());
            m_view.Series()->setCurrentIndex(head.SeriesIndex(before.strEReihe));
        }
        const QPoint below = m_view.Model()->mapToGlobal(QPoint(0, m_view.Model()->height()));
        CKatAuswahlDlg picker(m_pSettings, m_host.Window());
        if (picker.DoModal(series, below.x(), below.y(), &head.ModelSeriesList()) ==
            CKatAuswahlDlg::kTaken) {
            const QSignalBlocker block(m_view.Series());
            m_view.Series()->setCurrentIndex(head.SeriesIndex(series));
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
        // Another catalogue: the vehicle is taken out, the model is chosen
        // anew, no catalogue position is in work.
        CPendingIdent::ClearVehicle(s);
        s.nKatalogFlag = s.KatalogKey != QLatin1String("1") ? 1 : 0;
        s.HGText.clear();
        s.KatZeile.clear();
        m_view.SetCustomerSpecificPrice();
        SetFieldText(m_view.Vin(), QString());
        SetFieldText(m_view.TypeKey(), QString());
        if (!m_view.FillModelCombos(false)) {
            // The models of the series cannot be read: the head row shows
            // what it showed, and the series can be chosen again.
            // The series shown before the choice, with the lists it showed,
            // before the message is read.
            before.Restore(s);
            shownLists.series = m_host.HeadRow().SeriesIndex(before.strEReihe);
            RestoreHeadRow(before, &shownLists);
            TellCatalogueFailure();
            m_host.SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(s)));
            return;
        }
        if (m_view.Model()->count() == 1) {
            {
                const QSignalBlocker block(m_view.Model());
                m_view.Model()->setCurrentIndex(0);
            }
            s.ModellBez = m_view.Model()->itemText(0);
            OnCbnSelchangeVerkbez();
        }
        if (s.ModellBez.isEmpty() && !s.Bestellnr.isEmpty()) {
            m_view.Model()->setFocus();
            m_view.Model()->showPopup();
        }
        m_view.SetBrandCaption();
    }
    FinishChangeByHand(before);
}

// A change by hand ends with the contract colour, the basket's question and,
// unless the basket kept the old vehicle, the change report.
void CIdentFlow::FinishChangeByHand(const CIdentSnapshot &before)
{
    m_view.ShowContractColour();
    const CIdentSnapshot previous = BasketVehicle(before);
    ConfirmVehicleChange(previous.Vin(), previous.strTypSchl, QString(), &previous);
    ForgetTakenOutVehicle();
    // Also after the basket kept the vehicle: it may be back after having
    // been taken out.
    m_host.SetIdentChanged(CIdentSnapshot::Changes(before, CIdentSnapshot::Take(*m_pSettings)));
}

void CIdentFlow::ForgetIdentifiedVehicle()
{
    // A model or lead type chosen by hand: the vehicle of the VIN and type
    // key is gone.
    CPrgSettings &s = *m_pSettings;
    {
        const QSignalBlocker vinBlock(m_view.Vin());
        const QSignalBlocker keyBlock(m_view.TypeKey());
        m_view.Vin()->clear();
        m_view.TypeKey()->clear();
    }
    CPendingIdent::ForgetVin(s);
    m_view.SetCustomerSpecificPrice();
    ResetVehicleFields(false, true);
}

void CIdentFlow::OnCbnSelchangeVerkbez()
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    const QString model =
        m_view.Model()->currentIndex() >= 0 ? m_view.Model()->currentText() : QString();
    // The lead types are read before anything changes: when they cannot be
    // read the head row keeps the vehicle it showed, whole, with its lists,
    // and the model can be chosen again.
    CatalogueAnswer<QStringList> leadTypes;
    if (!model.isEmpty())
        leadTypes = m_host.HeadRow().LeadTypes(model, s.nKatalogFlag == 1);
    if (leadTypes.failed) {
        // The head row shows the vehicle again before the message is read.
        {
            const QSignalBlocker block(m_view.Model());
            m_view.Model()->setCurrentIndex(m_view.Model()->findText(s.ModellBez));
        }
        TellCatalogueFailure();
        return;
    }

    ForgetIdentifiedVehicle();

    s.ModellBez = model;
    {
        const QSignalBlocker block(m_view.LeadType());
        m_view.LeadType()->clear();
        m_view.LeadType()->addItems(leadTypes.value);
    }
    s.LeadTyp.clear();
    if (m_view.LeadType()->count() == 1) {
        const QSignalBlocker block(m_view.LeadType());
        m_view.LeadType()->setCurrentIndex(0);
        s.LeadTyp = m_view.LeadType()->currentText();
    }
    if (s.LeadTyp.isEmpty() && !model.isEmpty()) {
        m_view.LeadType()->setFocus();
        m_view.LeadType()->showPopup();
    }
    FinishChangeByHand(before);
}

void CIdentFlow::OnCbnSelchangeLeittyp()
{
    CPrgSettings &s = *m_pSettings;
    const CIdentSnapshot before = CIdentSnapshot::Take(s);
    ForgetIdentifiedVehicle();

    if (m_view.LeadType()->currentIndex() >= 0)
        s.LeadTyp = m_view.LeadType()->currentText();
    FinishChangeByHand(before);
}
