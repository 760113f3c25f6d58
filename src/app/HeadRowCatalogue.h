#pragma once
// What the head row reads from the catalogue, without a window: the
// model-series list, the items of the model and lead-type combos and which
// of them is chosen, the vehicle identification with the dealer's brands,
// the inclusive-service contract of a VIN, whether the vehicle has
// maintenance topics, and the catalogue date. It answers with plain data;
// the main window puts it into its widgets and shows the messages.

#include "app/EReiheList.h"
#include "app/VehicleIdent.h"
#include "common/readers/HLXContracts.h"
#include "platform/db/CatalogueFailure.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class CModelMapping;
class CPrgSettings;
class CYaqDb;

class CHeadRowCatalogue
{
public:
    // db0 is the catalogue connection; the contract check reads the options
    // on db1 while it walks the contracts on db0. Either may be null (no
    // connection); mapping may be null (no model names of its own).
    CHeadRowCatalogue(CYaqDb *db0, CYaqDb *db1, CPrgSettings *settings,
                      const CModelMapping *mapping);

    // --- The model-series list

    // Whether the list is to be read before its next use: at first, and
    // after SetModelSeriesDirty (the settings changed what it holds).
    bool IsModelSeriesDirty() const { return m_bDirty; }
    void SetModelSeriesDirty() { m_bDirty = true; }
    // Reads the list anew and clears the mark: the catalogues of the
    // catalogue display ("EUR", "USA" or both) whose brand the dealer
    // serves, then the older series range of the alternative catalogue for
    // dealers of its brand. The entries of the old list are gone: whoever
    // borrowed them lets go first. False when the catalogue is missing: no
    // connection, or neither kind of row.
    CatalogueFound BuildModelSeriesList();
    const CEReiheList &ModelSeriesList() const { return m_list; }
    // The items of the model-series combo: headings and each series once.
    QList<const CEReiheEntry *> SeriesItems() const { return m_list.ComboEntries(); }
    // The item of the series code; -1 for none (a heading is never one).
    int SeriesIndex(const QString &seriesCode) const;
    // The entry behind an item (null for none).
    const CEReiheEntry *SeriesItem(int index) const;

    // --- The model and lead-type combos

    struct ModelItems
    {
        QStringList models;
        QStringList leadTypes;
        int series = -1;   // the series item of the settings' series
        int model = -1;    // the model item to choose; -1 for none
        int leadType = -1; // the lead-type item to choose; -1 for none
        // A read of the catalogue failed: the items are the settings' own
        // model and lead type, so that a vehicle stays shown whole.
        bool readFailed = false;
    };
    // Whether the models come from a catalogue of the model-series list (the
    // normal catalogue or an alternative one): the list is then brought up
    // to date before the models are asked for.
    bool ModelsNeedSeriesList() const;
    // The models of the settings' catalogue (headed by the no-model item in
    // the catalogue view) and the lead types of the settings' model. A
    // filled combo shows no choice of its own: the settings' model and lead
    // type are chosen in the catalogue view or with showVehicle, else none.
    ModelItems Models(bool showVehicle) const;
    // The lead types of a model of the settings' catalogue. Codes below 1000
    // belong to variants of a catalogue other than the normal one: only with
    // takeLowCodes. A model of the mapping file gets the codes mapped to it.
    // A read that failed says so, with no codes.
    CatalogueAnswer<QStringList> LeadTypes(const QString &model, bool takeLowCodes) const;

    // --- Identification (see CVehicleIdent) with the dealer's brands, the
    // model names of the mapping and the local data set of the settings

    CVehicleIdent::VinResult LookupVin(const QString &vin, CPendingIdent &pending) const;
    CVehicleIdent::VinResult LookupShortVin(const QString &shortVin, CPendingIdent &pending) const;
    CVehicleIdent::TypeKeyResult LookupTypeKey(const QString &typeKey,
                                               CPendingIdent &pending) const;
    CVehicleIdent::CatalogueResult CatalogueStep(CPendingIdent &pending) const;

    // --- Inclusive-service contract

    using ContractResult = HLXContractCheck;
    static constexpr ContractResult ContractNone = HLXContractCheck::None;
    static constexpr ContractResult ContractFound = HLXContractCheck::Found;
    static constexpr ContractResult ContractNoConnection = HLXContractCheck::NoConnection;
    static constexpr ContractResult ContractReadFailed = HLXContractCheck::ReadFailed;
    // The vehicle's contract check (CheckHLXContract) on the head row's two
    // connections.
    ContractResult CheckContract(const QString &vin);
    // The contract flag, checked again first when its check failed
    // (HLXContractFlag).
    CatalogueFound ContractFlag();

    // --- Maintenance topics

    // Whether the vehicle of the settings has maintenance topics: for a VIN
    // those of its type key valid at the reference date, else any of its
    // type key or, without one, of its lead type.
    CatalogueFound HasMaintenanceTopics(const QDate &today = QDate::currentDate()) const;
    // The date the topics must be valid at, "YYYYMMDD": the first
    // registration when it is known, else today.
    QString MaintenanceReferenceDate(const QDate &today = QDate::currentDate()) const;

    // The date of the latest catalogue report, "DD/MM/YYYY"; empty when
    // there is none, or without a connection; a read that failed says so.
    CatalogueAnswer<QString> CatalogueDate() const;

    // --- What a caller of the program asks for at the start

    // Whether the catalogue holds the package (seven-character number) for
    // the settings' vehicle, and the labour position.
    CatalogueFound HasPackage(const QString &packageNr7) const;
    CatalogueFound HasLabourPosition(const QString &apNr) const;

private:
    CVehicleIdent Ident() const;

    CYaqDb *m_pDb0;
    CYaqDb *m_pDb1;
    CPrgSettings *m_pSettings;
    const CModelMapping *m_pMapping;
    CEReiheList m_list;
    bool m_bDirty = true;
};
