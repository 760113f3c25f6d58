#pragma once
// The widgets of the main window's head: the title button, the
// identification fields with their labels, the column of head buttons and
// the page host, built into the window's layout. It keeps their faces (the
// texts, the contract colour, the blinking customer-price warning, which
// fields are open) and fills the model combos from the catalogue; the window
// connects the widgets and decides what they do.

#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>

class CEReiheModel;
class CHeadRowCatalogue;
class COwnButton;
class COwnLogoButton;
class CPrgSettings;
class CSessionPolicy;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTimer;
class QWidget;
struct HeadRowState;

class CHeadRowView : public QObject
{
    Q_OBJECT
public:
    // The catalogue is asked for at the first fill: it is made once the
    // window's connections are open.
    using Catalogue = std::function<CHeadRowCatalogue &()>;
    CHeadRowView(QWidget *window, CPrgSettings *settings, Catalogue catalogue);

    COwnLogoButton *Title() const { return m_pTitle; }
    QLineEdit *Vin() const { return m_pVin; }
    QLineEdit *TypeKey() const { return m_pTypSchl; }
    QComboBox *Series() const { return m_pEReihe; }
    QComboBox *Model() const { return m_pModell; }
    QComboBox *LeadType() const { return m_pLeadType; }
    QLineEdit *FirstRegistration() const { return m_pErstzul; }
    QLineEdit *Mileage() const { return m_pKm; }
    QLineEdit *Plate() const { return m_pPlate; }
    QLineEdit *DateEdit() const { return m_pDate; }
    COwnButton *Button(int id) const { return m_buttons.value(id); }
    const QHash<int, COwnButton *> &Buttons() const { return m_buttons; }
    QStackedWidget *PageStack() const { return m_pPageStack; }

    // The labels and buttons in the program language, and the window title.
    void SetCaptions();
    // The contract button's caption by the brand.
    void SetBrandCaption();
    // The window title: the catalogue caption and the version line.
    void SetWindowTitle();
    // The contract button's face: the contract colour while the vehicle has
    // an inclusive-service contract.
    void ShowContractColour();
    // The VIN label blinks while the vehicle has customer-specific prices;
    // the first time the user is told (unless he turned the notice off).
    void SetCustomerSpecificPrice();
    bool IsCustomerPriceBlinking() const;

    // Shows the vehicle of the settings: VIN, type key, and the models and
    // lead types of its catalogue (see CHeadRowCatalogue::Models).
    // False when the catalogue could not be read (the combos then hold the
    // settings' own model and lead type).
    bool FillModelCombos(bool showVehicle);
    // What the series, model and lead-type combos show, taken before a
    // change and put back unread when the change could not read its lists.
    struct ComboLists
    {
        int series = -1;
        QStringList models;
        int model = -1;
        QStringList leadTypes;
        int leadType = -1;
    };
    ComboLists TakeComboLists() const;
    void PutComboLists(const ComboLists &lists);
    // Reads the model-series list when it is marked for it and shows it.
    void RefreshModelSeriesCombo();
    // Empties the head row and takes the vehicle out of the settings.
    void ClearVehicle();

    // The hand-entered vehicle fields: enabled or not, and on reset emptied
    // unless the vehicle's data is held (holdAll) or was given at the start.
    void ResetVehicleFields(bool enable, bool reset, bool holdAll, bool keepFirstRegistration,
                            bool keepMileage);
    // Enables the identification controls and the head buttons a session
    // allows.
    void SetEnabled(bool enable, const CSessionPolicy &policy);
    bool IsEnabled() const { return m_bEnabled; }
    // The two-wheeler program is offered to dealers of the main brand: its
    // button is shown, and enabled with the head row as far as a session
    // allows; otherwise hidden and disabled.
    void OfferTwoWheeler(bool offered, const CSessionPolicy &policy);
    // What the current page lets the user edit in the head row.
    void ApplyPageState(const HeadRowState &state, bool pageMode, const CSessionPolicy &policy);

private:
    void Build();
    QComboBox *CreateModelSeriesCombo();
    COwnButton *MakeButton(int id, const char *name, const QString &bitmap);
    QLabel *MakeLabel(const char *name);
    QLabel *LabelOf(const char *name) const;
    void OnBlinkTimer();

    QWidget *m_pWindow;
    CPrgSettings *m_pSettings;
    Catalogue m_catalogue;
    COwnLogoButton *m_pTitle = nullptr;
    QLineEdit *m_pVin = nullptr;
    QLineEdit *m_pTypSchl = nullptr;
    QComboBox *m_pEReihe = nullptr;
    QComboBox *m_pModell = nullptr;
    QComboBox *m_pLeadType = nullptr;
    QLineEdit *m_pErstzul = nullptr;
    QLineEdit *m_pPlate = nullptr;
    QLineEdit *m_pKm = nullptr;
    QLineEdit *m_pDate = nullptr;
    QHash<QString, QLabel *> m_labels;
    QHash<int, COwnButton *> m_buttons;
    QStackedWidget *m_pPageStack = nullptr;
    CEReiheModel *m_pEReiheModel = nullptr;
    QTimer *m_pBlinkTimer = nullptr;
    bool m_bBlinkPhase = false;
    bool m_bEnabled = true;
    bool m_bTwoWheelerOffered = false;
};
