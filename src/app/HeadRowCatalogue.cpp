#include "app/HeadRowCatalogue.h"

#include "app/ModelMapping.h"
#include "app/PendingIdent.h"
#include "app/Utilities.h"
#include "common/readers/CatalogueCache.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

namespace {
// Lead types below this code are variants the catalogue shows only in a
// catalogue other than the normal one.
const QString kFirstLeadType = QStringLiteral("1000");

// The catalogue display chooses the catalogues of a market: "EUR", "USA" or
// both ("EUR + USA", or anything else).
constexpr qsizetype kAltTypNrLength = 8;

bool InCatalogueDisplay(const QString &display, const QString &country)
{
    const bool usa = country == QLatin1String("US");
    if (display == QLatin1String("USA"))
        return usa;
    if (display == QLatin1String("EUR"))
        return !usa;
    return true;
}

// "DD.MM.YYYY" to "YYYYMMDD"; empty for any other length.
QString GermanDateToKey(const QString &date)
{
    if (date.size() != 10)
        return QString();
    return date.mid(6, 4) + date.mid(3, 2) + date.left(2);
}
} // namespace

CHeadRowCatalogue::CHeadRowCatalogue(CYaqDb *db0, CYaqDb *db1, CPrgSettings *settings,
                                     const CModelMapping *mapping)
    : m_pDb0(db0), m_pDb1(db1), m_pSettings(settings), m_pMapping(mapping)
{
}

// ---------------------------------------------------------------------------
// Model-series list

CatalogueFound CHeadRowCatalogue::BuildModelSeriesList()
{
    const CPrgSettings &s = *m_pSettings;
    m_list.Clear();
    m_bDirty = false;
    if (!m_pDb0)
        return CatalogueFound::Failed;
    const int failures = m_pDb0->Failures();
    const auto dealerServes = [this](const QString &brand) {
        return GetBrandFromDealerData(m_pSettings, brand) != 0;
    };

    bool anyRow = false;
    CAwKatalogData rec;
    rec.Init();
    rec.m_strKatBstNr = s.KatalogKey;
    for (int ok = m_pDb0->ReadAwKatalogDataOnEreihe(rec, QString()); ok; ok = m_pDb0->ReadNext()) {
        rec.TrimData();
        if (!InCatalogueDisplay(s.CatalogueDisp, rec.m_strLand))
            continue;
        // A series of the alternative catalogue (its type number of eight
        // characters) has a catalogue row for the identification's brand
        // check; the list shows it under its heading, from its own rows.
        if (rec.m_strTypNr.size() == kAltTypNrLength)
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
        m_list.AddCatalogueRow(row, dealerServes);
    }

    // The older series range of the alternative catalogue, for dealers of
    // the main brand.
    bool anyAlternative = false;
    CAltKatData alt;
    alt.Init();
    if (m_pDb0->ReadAltKatData(alt) && dealerServes(CEReiheList::kAltBrand)) {
        QList<CAltSeriesRow> rows;
        do {
            alt.TrimData();
            rows.append({alt.m_strTypNr, alt.m_strEReihe});
        } while (m_pDb0->ReadNext());
        m_list.AddAlternativeRows(rows);
        anyAlternative = true;
    }
    const CatalogueFound found = FoundBy(m_pDb0, failures, anyRow || anyAlternative);
    if (found == CatalogueFound::Failed) {
        // No list half read: it is read again at its next opening.
        m_list.Clear();
        m_bDirty = true;
    }
    return found;
}

int CHeadRowCatalogue::SeriesIndex(const QString &seriesCode) const
{
    const QList<const CEReiheEntry *> items = SeriesItems();
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i)->nKind == CEReiheEntry::KindSeries && items.at(i)->strEReihe == seriesCode)
            return i;
    }
    return -1;
}

const CEReiheEntry *CHeadRowCatalogue::SeriesItem(int index) const
{
    return SeriesItems().value(index, nullptr);
}

// ---------------------------------------------------------------------------
// Model and lead type

bool CHeadRowCatalogue::ModelsNeedSeriesList() const
{
    return m_pSettings->bAltKatalog || !m_pSettings->nKatalogFlag;
}

CHeadRowCatalogue::ModelItems CHeadRowCatalogue::Models(bool showVehicle) const
{
    const CPrgSettings &s = *m_pSettings;
    ModelItems items;
    items.series = SeriesIndex(s.EReihe);
    const int failures = m_pDb0 ? m_pDb0->Failures() : 0;
    if (ModelsNeedSeriesList() && items.series >= 0 && m_pDb0) {
        if (!s.bAltKatalog) {
            if (s.bKatalogansicht)
                items.models.append(CPendingIdent::kNoModel);
            CAwKatSpalteData col;
            col.Init();
            col.m_strKatBstNr = s.KatalogKey;
            col.m_strTypNr = s.Bestellnr;
            for (int ok = m_pDb0->ReadAwKatSpalteDataOnSpBez(col); ok; ok = m_pDb0->ReadNext()) {
                col.TrimData();
                QString name = col.m_strSpBez;
                if (m_pMapping)
                    m_pMapping->GetModelName(name, col.m_strLTyp);
                if (!items.models.contains(name))
                    items.models.append(name);
            }
            items.leadTypes = LeadTypes(s.ModellBez, false).value;
        } else {
            CAltLtypData alt;
            alt.Init();
            alt.m_strTypNr = s.Bestellnr.left(8);
            for (int ok = m_pDb0->ReadAltLtypData(alt); ok; ok = m_pDb0->ReadNext()) {
                alt.TrimData();
                // Rows come grouped by model: each group gives one model.
                if (items.models.isEmpty() || alt.m_strVerkBez != items.models.last())
                    items.models.append(alt.m_strVerkBez);
                if (alt.m_strVerkBez == s.ModellBez)
                    items.leadTypes.append(alt.m_strLTyp);
            }
        }
        if (m_pDb0->Failures() != failures) {
            items.readFailed = true;
            items.models.clear();
            items.leadTypes.clear();
            if (!s.ModellBez.isEmpty())
                items.models.append(s.ModellBez);
            if (!s.LeadTyp.isEmpty())
                items.leadTypes.append(s.LeadTyp);
        }
    }
    if (showVehicle || s.bKatalogansicht) {
        if (!s.ModellBez.isEmpty())
            items.model = int(items.models.indexOf(s.ModellBez));
        if (!s.LeadTyp.isEmpty())
            items.leadType = int(items.leadTypes.indexOf(s.LeadTyp));
    }
    return items;
}

CatalogueAnswer<QStringList> CHeadRowCatalogue::LeadTypes(const QString &model,
                                                          bool takeLowCodes) const
{
    const CPrgSettings &s = *m_pSettings;
    CatalogueAnswer<QStringList> codes;
    if (!m_pDb0)
        return codes;
    const int failures = m_pDb0->Failures();
    // Nothing half read: a failed read gives no codes.
    const auto answered = [this, failures, &codes] {
        if (FailedSince(m_pDb0, failures))
            codes = {QStringList(), true};
        return codes;
    };
    if (s.bAltKatalog) {
        CAltLtypData alt;
        alt.Init();
        alt.m_strTypNr = s.Bestellnr.left(8);
        alt.m_strVerkBez = model;
        for (int ok = m_pDb0->ReadAltLtypData(alt); ok; ok = m_pDb0->ReadNext()) {
            alt.TrimData();
            codes.value.append(alt.m_strLTyp);
        }
        return answered();
    }
    CAwKatSpalteData col;
    col.Init();
    col.m_strKatBstNr = s.KatalogKey;
    col.m_strTypNr = s.Bestellnr;
    col.m_strSpBez = model;
    int ok = m_pDb0->ReadAwKatSpalteDataOnLTypSpNr(col);
    if (!ok) {
        // A model name of the mapping file: the codes mapped to it.
        if (m_pMapping)
            m_pMapping->GetCodesForModel(codes.value, model);
        return answered();
    }
    for (; ok; ok = m_pDb0->ReadNext()) {
        col.TrimData();
        QString mapped;
        if (m_pMapping && m_pMapping->GetModelName(mapped, col.m_strLTyp))
            continue;
        if (col.m_strLTyp >= kFirstLeadType || takeLowCodes)
            codes.value.append(col.m_strLTyp);
    }
    return answered();
}

// ---------------------------------------------------------------------------
// Identification

CVehicleIdent CHeadRowCatalogue::Ident() const
{
    return CVehicleIdent(m_pDb0, m_pSettings->DealerList, m_pMapping);
}

CVehicleIdent::VinResult CHeadRowCatalogue::LookupVin(const QString &vin,
                                                      CPendingIdent &pending) const
{
    return Ident().LookupVin(vin, m_pSettings->bLocalDataSet != 0, pending);
}

CVehicleIdent::VinResult CHeadRowCatalogue::LookupShortVin(const QString &shortVin,
                                                           CPendingIdent &pending) const
{
    return Ident().LookupShortVin(shortVin, m_pSettings->bLocalDataSet != 0, pending);
}

CVehicleIdent::TypeKeyResult CHeadRowCatalogue::LookupTypeKey(const QString &typeKey,
                                                              CPendingIdent &pending) const
{
    return Ident().LookupTypeKey(typeKey, pending);
}

CVehicleIdent::CatalogueResult CHeadRowCatalogue::CatalogueStep(CPendingIdent &pending) const
{
    return Ident().CatalogueStep(pending);
}

// ---------------------------------------------------------------------------
// Contract

CHeadRowCatalogue::ContractResult CHeadRowCatalogue::CheckContract(const QString &vin)
{
    return CheckHLXContract(*m_pSettings, m_pDb0, m_pDb1, vin);
}

CatalogueFound CHeadRowCatalogue::ContractFlag()
{
    return HLXContractFlag(*m_pSettings, m_pDb0, m_pDb1);
}

// ---------------------------------------------------------------------------
// Maintenance topics and catalogue date

QString CHeadRowCatalogue::MaintenanceReferenceDate(const QDate &today) const
{
    const QString key = GermanDateToKey(m_pSettings->Erstzulassung);
    return key.isEmpty() ? today.toString(QStringLiteral("yyyyMMdd")) : key;
}

CatalogueFound CHeadRowCatalogue::HasMaintenanceTopics(const QDate &today) const
{
    if (!m_pDb0)
        return CatalogueFound::Failed;
    const int failures = m_pDb0->Failures();
    const CPrgSettings &s = *m_pSettings;
    CSBLIDData rec;
    rec.m_strKatBstNr = s.KatalogKey;
    if (!s.Fgstnr.isEmpty()) {
        rec.m_strTypSchl = s.TypSchl;
        const QString date = MaintenanceReferenceDate(today);
        for (int ok = m_pDb0->ReadSBLIDData(rec); ok; ok = m_pDb0->ReadNext()) {
            if (rec.m_strDatumVon <= date && date <= rec.m_strDatumBis) {
                m_pDb0->CloseStmt();
                return CatalogueFound::Yes;
            }
        }
        return FoundBy(m_pDb0, failures, false);
    }
    if (!s.TypSchl.isEmpty())
        rec.m_strTypSchl = s.TypSchl;
    else
        rec.m_strLTyp = s.LeadTyp;
    const bool found = m_pDb0->ReadSBLIDData(rec) != 0;
    return FoundBy(m_pDb0, failures, found);
}

CatalogueAnswer<QString> CHeadRowCatalogue::CatalogueDate() const
{
    if (!m_pDb0)
        return {};
    const int failures = m_pDb0->Failures();
    CReportData report;
    const bool found = m_pDb0->ReadReportMaxData(report) != 0;
    if (FailedSince(m_pDb0, failures))
        return {QString(), true};
    if (!found || report.m_strZeitstempel.size() != 14)
        return {};
    const QString &t = report.m_strZeitstempel;
    return {t.mid(6, 2) + QLatin1Char('/') + t.mid(4, 2) + QLatin1Char('/') + t.left(4), false};
}

CatalogueFound CHeadRowCatalogue::HasPackage(const QString &packageNr7) const
{
    const int failures = FailuresOf({m_pDb0, m_pDb1});
    const bool found = GetSRPPakete(m_pSettings, packageNr7, m_pDb0, m_pDb1, -1) != 0;
    if (FailuresOf({m_pDb0, m_pDb1}) != failures)
        return CatalogueFound::Failed;
    return found ? CatalogueFound::Yes : CatalogueFound::No;
}

CatalogueFound CHeadRowCatalogue::HasLabourPosition(const QString &apNr) const
{
    const int failures = FailuresOf({m_pDb0});
    const bool found =
        GetAPosWert(m_pSettings, apNr, m_pDb0, 0, 0, QString(), QString(), 0, -1) != 0;
    if (FailuresOf({m_pDb0}) != failures)
        return CatalogueFound::Failed;
    return found ? CatalogueFound::Yes : CatalogueFound::No;
}
