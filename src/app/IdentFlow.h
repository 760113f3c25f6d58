#pragma once
// The vehicle identification of the main window's head row: the VIN edit,
// the type-key edit, the model-series, model and lead-type choices, the
// question to the basket before a change of vehicle, and the change report
// to the pages.
//
// A look-up fills a pending identification; the settings take it only after
// the basket agreed and the brand checks passed; a change the basket refused
// leaves the settings with the previous vehicle. A VIN field that no longer
// shows the vehicle (a VIN being typed, unknown or refused) takes the
// vehicle out of the settings, so that no page, request or print-out goes on
// with it.
//
// Every vehicle comes in through Identify: the one typed into the head row,
// the start's, the vehicle search's and the DMS's. The identification shows
// it in the head row (the fields are its view) and alone decides what the
// hand-entered fields keep while it is identified.

#include "app/FirstRegistration.h"
#include "app/GivenVehicle.h"
#include "app/HeadRowView.h"
#include "app/PendingIdent.h"
#include "app/VehicleHolds.h"

#include "common/ChangeFlags.h"

#include <QObject>
#include <functional>
#include <optional>

class CHeadRowCatalogue;
class CHeadRowView;
class CPrgSettings;
class CWkBasket;
class QTimer;
class QWidget;

// What the identification asks of the window that hosts the head row.
class IIdentHost
{
public:
    virtual ~IIdentHost() = default;

    // The owner of the identification's messages and dialogs.
    virtual QWidget *Window() = 0;
    // In a session: whether the session still holds before a look-up
    // (false: the window ends).
    virtual bool PreparePageSwitch() = 0;
    // The catalogue reads of the head row.
    virtual CHeadRowCatalogue &HeadRow() = 0;
    // The basket, asked before a change of vehicle.
    virtual CWkBasket *Basket() const = 0;
    // The change report to the pages; with pageWaits the visible page
    // follows only at ShowWaitingPage.
    virtual void SetIdentChanged(const CChangeFlags &changes, bool pageWaits) = 0;
    void SetIdentChanged(const CChangeFlags &changes) { SetIdentChanged(changes, false); }
    virtual void ShowWaitingPage() = 0;
    // Asks the DMS for the first registration of the settings' vehicle.
    virtual CFirstRegistration::AnswerResult RequestFirstRegistrationDate() = 0;
    // The home page, where a vehicle the DMS pushed is shown.
    virtual void ShowHomePage() = 0;
};

class CIdentFlow : public QObject
{
    Q_OBJECT
public:
    // Connects itself to the head row's fields; the host gives the
    // catalogue, the session check, the basket and the change report.
    CIdentFlow(IIdentHost &host, CHeadRowView &view, CPrgSettings *settings);

    // Replaces the basket's vehicle-change question (tests): answers 1 to
    // keep the old vehicle, 0 to go on.
    using BasketQuestion = std::function<int()>;
    void SetBasketQuestion(BasketQuestion question) { m_basketQuestion = std::move(question); }
    bool IsIncompleteVinTimerActive() const;

    // Identifies the vehicle: shows it in the head row, takes the fields it
    // brings and tells the pages. For a vehicle of the search or the DMS,
    // whether it was taken with its fields (not when it was refused, not
    // found or kept out by the basket); true for the others.
    bool Identify(const CGivenVehicle &vehicle);
    // Whether the last Identify could not read the catalogue (and the head
    // row shows the vehicle it showed).
    bool CatalogueReadFailed() const { return m_bCatalogueReadFailed; }

    // Resets and enables the hand-entered vehicle fields; a reset keeps
    // what the holds keep.
    void ResetVehicleFields(bool enable, bool reset);
    // Whether first registration, plate, mileage and date belong to the
    // vehicle the settings hold: only to one identified by its VIN.
    bool VehicleFieldsOpen() const;
    // The head-row rule for those fields: open (enabled with the head row,
    // contents kept) or emptied and locked.
    void ApplyVehicleFieldRule();

    // Asks the basket before a change of vehicle or first registration; 1
    // when the user kept the old vehicle, which the head row then shows
    // again (from the snapshot when given, else identified anew).
    int ConfirmVehicleChange(const QString &oldVin, const QString &oldTypeKey,
                             const QString &oldFirstRegistration,
                             const CIdentSnapshot *previous = nullptr);

private:
    // The VIN the head row shows was changed: identifies a full VIN.
    void IdentifyVin(const QString &vin);
    // The type key the head row shows was changed: identifies one of four
    // characters.
    void IdentifyTypeKey(const QString &typeKey);
    bool TakeSearchResult(const CGivenVehicle &found);
    bool TakeDmsVehicle(const CGivenVehicle &pushed);
    void OnEnKillfocusTypschl();
    void OnCbnSelchangeEReihe();
    void OnCbnSelchangeVerkbez();
    void OnCbnSelchangeLeittyp();
    void OnTimerIncompleteVin();
    void ForgetIdentifiedVehicle();
    bool TakeOverVehicle(CPendingIdent &pending, const CIdentSnapshot &shown, bool fromVin);
    void FinishChangeByHand(const CIdentSnapshot &before);
    void RestoreHeadRow(const CIdentSnapshot &before,
                        const CHeadRowView::ComboLists *lists = nullptr);
    void TakeOutVehicle(const CIdentSnapshot &shown);
    void RefuseVin(const CIdentSnapshot &shown);
    void KeepVehicleAfterFailedRead(const CIdentSnapshot &shown);
    void KeepVehicleAfterFailedTypeKey(const CIdentSnapshot &shown);
    bool IdentifyShortVin(const QString &vin, const CIdentSnapshot &shown);
    // The vehicle the basket's entries belong to: the one taken out while a
    // VIN was typed, else the one shown.
    CIdentSnapshot BasketVehicle(const CIdentSnapshot &shown) const;
    // A message of the identification (none in the package request of the
    // transfer system).
    void Tell(const QString &text, int align) const;
    // The lost or refusing catalogue, once in the step (CatalogueFailure::ToTell).
    void TellCatalogueFailure() const;
    void ForgetTakenOutVehicle();
    void RestoreHeldFields(const QString &vin);
    void FirstRegistrationAfterIdent();
    void UpdateFirstRegistration();
    // Asks the DMS for the first registration and shows what it answered;
    // 1 when a date was applied.
    int RequestFirstRegistrationDate();
    void SetCatalogueCaption();
    // The first registration field: focus, typing and leaving.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void OnEnChangeFirstRegistration();
    void OnKillfocusFirstRegistration();
    void ApplyFirstRegistrationField(const CFirstRegistration::FieldResult &result);

    IIdentHost &m_host;
    CHeadRowView &m_view;
    CPrgSettings *m_pSettings;
    QTimer *m_pVinTimer = nullptr;
    BasketQuestion m_basketQuestion;
    bool m_bTypSchlFromVin = false;      // the type key came from the VIN look-up
    bool m_bCatalogueReadFailed = false; // in the last Identify
    bool m_bVehicleChangeGuard = false;  // set while the basket is asked
    CFirstRegistration m_firstRegField;
    CVehicleHolds m_holds;
    // The vehicle taken out of the settings when its VIN began to change,
    // until another is taken or the basket kept it.
    std::optional<CIdentSnapshot> m_takenOut;
    // Its hand-entered fields as they were: a new VIN clears them at its
    // first keystroke; the basket keeping the vehicle, or its VIN typed
    // again, brings them back.
    struct HeldFields
    {
        QString vin;
        QString kilometer;
        QString erstzul;
        QString mileageText;
        QString plateText;
        QString firstRegistrationText;
    };
    std::optional<HeldFields> m_held;
};
