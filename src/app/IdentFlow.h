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

#include "app/FirstRegistration.h"
#include "app/PendingIdent.h"

#include <QObject>
#include <functional>
#include <optional>

class CHeadRowView;
class CPrgSettings;
class CYaq2Dlg;
class QTimer;

class CIdentFlow : public QObject
{
    Q_OBJECT
public:
    // Connects itself to the head row's fields; the window gives the
    // catalogue, the session check, the vehicle-field rule, the basket and
    // the change report.
    CIdentFlow(CYaq2Dlg &window, CHeadRowView &view, CPrgSettings *settings);

    // Replaces the basket's vehicle-change question (tests): answers 1 to
    // keep the old vehicle, 0 to go on.
    using BasketQuestion = std::function<int()>;
    void SetBasketQuestion(BasketQuestion question) { m_basketQuestion = std::move(question); }
    bool IsIncompleteVinTimerActive() const;

    // The VIN in its edit was changed: identifies a full VIN.
    void OnEnChangeFgstNr();
    // Asks the basket before a change of vehicle or first registration; 1
    // when the user kept the old vehicle, which the head row then shows
    // again (from the snapshot when given, else identified anew).
    int ConfirmVehicleChange(const QString &oldVin, const QString &oldTypeKey,
                             const QString &oldFirstRegistration,
                             const CIdentSnapshot *previous = nullptr);

private:
    void OnEnChangeTypSchl();
    void OnEnKillfocusTypschl();
    void OnCbnSelchangeEReihe();
    void OnCbnSelchangeVerkbez();
    void OnCbnSelchangeLeittyp();
    void OnTimerIncompleteVin();
    void ForgetIdentifiedVehicle();
    bool TakeOverVehicle(CPendingIdent &pending, const CIdentSnapshot &shown, bool fromVin);
    void FinishChangeByHand(const CIdentSnapshot &before);
    void RestoreHeadRow(const CIdentSnapshot &before);
    void TakeOutVehicle(const CIdentSnapshot &shown);
    void RefuseVin(const CIdentSnapshot &shown);
    bool IdentifyShortVin(const QString &vin, const CIdentSnapshot &shown);
    // The vehicle the basket's entries belong to: the one taken out while a
    // VIN was typed, else the one shown.
    CIdentSnapshot BasketVehicle(const CIdentSnapshot &shown) const;
    // A message of the identification (none in the package request of the
    // transfer system).
    void Tell(const QString &text, int align) const;
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

    CYaq2Dlg &m_window;
    CHeadRowView &m_view;
    CPrgSettings *m_pSettings;
    QTimer *m_pVinTimer = nullptr;
    BasketQuestion m_basketQuestion;
    bool m_bTypSchlFromVin = false;     // the type key came from the VIN look-up
    bool m_bVehicleChangeGuard = false; // set while the basket is asked
    CFirstRegistration m_firstRegField;
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
