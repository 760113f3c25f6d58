#include "packages/list/PackageListBuilder.h"

#include "packages/list/PackageListReads.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CMrktngAttRec.h"
#include "platform/db/DbReadScope.h"
#include "platform/db/PackageOrigin.h"
#include "platform/db/YaqDb.h"
#include "settings/HLXVertragInfo.h"
#include "settings/PrgSettings.h"

#include <QSet>

#include <algorithm>

#include <utility>
#include <vector>

namespace {
// A level that got rows is shown, on the row chosen while it was built or
// else on its first row. Answers the number of rows.
int ShowFilledLevel(CPackageList &list, int level, int count)
{
    if (count) {
        if (!list.Current(level))
            list.SetCurrentOfLevel(level, list.FirstOfLevel(level));
        list.Show(level, false);
    }
    return count;
}

// Only these two main groups have a first group level below them.
bool HasGroupLevel7(const QString &mainGroup)
{
    return mainGroup == QLatin1String("64") || mainGroup == QLatin1String("72");
}

bool Between(const QString &from, const QString &value, const QString &to)
{
    return from <= value && value <= to;
}

// Catalogue titles keep the line breaks of the old text files.
QString TitleText(QString text)
{
    text.replace(QLatin1String("\r\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

// A row of the list from a package record of the catalogue: the package's
// own number, its number and further text, under the main group given
// (a line's own; the first two characters of the number in the
// alternative catalogue).
template <typename Record>
std::unique_ptr<CPackageRow> RowOf(int level, const Record &rec, const QString &mainGroup)
{
    auto row = std::make_unique<CPackageRow>();
    row->level = level;
    row->ownNumber = rec.m_strEigenNr;
    row->number = rec.m_strPaketNr;
    row->marker = mainGroup;
    row->further = rec.m_strZusatz;
    return row;
}

} // namespace

// One list step reads its rows as one snapshot: each connection runs its
// reads in one read transaction instead of starting one per read (with
// SQLite every new read transaction checks the file again). Steps that call
// each other share the outermost scope.
class CBuilderReadScope
{
public:
    explicit CBuilderReadScope(CPackageListBuilder &builder)
        : m_bStep(builder.BeginStep()),
          m_scope({builder.m_pPackageDb, builder.m_pCatalogueDb, builder.m_pContractDb},
                  &builder.m_nReadDepth)
    {
    }

private:
    bool m_bStep;
    CDbReadScope m_scope;
};

bool CPackageListBuilder::BeginStep()
{
    // The failures are counted from before the step's transactions begin:
    // a connection lost before connects again there, or fails.
    if (m_nReadDepth == 0)
        m_nFailuresAtStep = Failures();
    return m_nReadDepth == 0;
}

int CPackageListBuilder::Failures() const
{
    return FailuresOf({m_pPackageDb, m_pCatalogueDb, m_pContractDb});
}

bool CPackageListBuilder::ReadFailed() const
{
    return Failures() != m_nFailuresAtStep;
}

CPackageVehicle CPackageVehicle::FromSettings(const CPrgSettings &settings)
{
    CPackageVehicle v;
    v.TakeKeysFrom(settings);
    v.alternativeCatalogue = settings.bAltKatalog != 0;
    v.catalogueFlag = settings.nKatalogFlag;
    v.hlxFlag = settings.nVertrag != 0;
    v.language = GetPrgSprache();
    v.today = GermanDateKey(settings.Heute);
    for (const CHLXVertragInfo &contract : settings.HLXVertragList) {
        if (contract.bFilled)
            v.contracts << contract.strOptionNr;
    }
    return v;
}

CPackageListBuilder::CPackageListBuilder(CYaqDb *packageDb, CYaqDb *catalogueDb, CYaqDb *contractDb,
                                         IPackageListReads *reads, CPackageVehicle vehicle,
                                         CMrktngAttRec *marketing)
    : m_pPackageDb(packageDb), m_pCatalogueDb(catalogueDb), m_pContractDb(contractDb),
      m_pReads(reads), m_vehicle(std::move(vehicle)), m_pMarketing(marketing),
      m_coverage(catalogueDb, contractDb, m_vehicle.catalogueKey, m_vehicle.contracts,
                 m_vehicle.today, m_vehicle.hlxFlag)
{
}

CPackageListBuilder::~CPackageListBuilder() = default;

bool CPackageListBuilder::PassesCountryFilter(const QString &origin) const
{
    return PackageOriginCounts(origin, m_vehicle.countrySpecific, m_vehicle.countryCode);
}

bool CPackageListBuilder::Valid(const QString &number)
{
    if (!m_pReads)
        return true;
    if (m_nColumn == -2) {
        // A column that could not be read is asked again by the next step.
        const CatalogueAnswer<int> column = m_pReads->CatalogueColumn();
        if (column.failed)
            return false;
        m_nColumn = column.value;
    }
    return m_pReads->PositionValid(number, m_nColumn);
}

bool CPackageListBuilder::IsCovered(const CPackageRow &row)
{
    const auto known = m_covered.constFind(row.number);
    if (known != m_covered.constEnd())
        return known.value();
    const CatalogueFound covered = m_coverage.IsCovered(row.number);
    // A cover that could not be read is asked again by the next step (the
    // step tells the failure).
    if (covered != CatalogueFound::Failed)
        m_covered.insert(row.number, covered == CatalogueFound::Yes);
    return covered == CatalogueFound::Yes;
}

bool CPackageListBuilder::ReadPositionTexts(CPackageRow &row, const QString &number)
{
    if (!m_pCatalogueDb || number.size() < 2)
        return true;
    // A group's rows need the texts of most of its positions: one read
    // brings all of them.
    const QString group = number.left(2);
    auto known = m_texts.find(group);
    if (known == m_texts.end()) {
        known = m_texts.insert(group, {});
        CAPosTxtAPosKTxtData rec;
        rec.m_strKatBstNr = m_vehicle.catalogueKey;
        rec.m_strSprache = m_vehicle.language;
        rec.m_strEReihe = m_vehicle.modelSeries;
        for (int ok = m_pCatalogueDb->ReadAPosTxtOfHG(rec, group); ok;
             ok = m_pCatalogueDb->ReadNext()) {
            rec.TrimData();
            known->emplace(rec.m_strAPosNr, PositionTexts{{rec.m_strText1, rec.m_strText2,
                                                           rec.m_strText3, rec.m_strText4},
                                                          {rec.m_strKText1, rec.m_strKText2,
                                                           rec.m_strKText3, rec.m_strKText4}});
        }
        // A failed read is asked again next time.
        if (m_pCatalogueDb->LastFailed()) {
            m_texts.erase(known);
            return false;
        }
    }
    const auto texts = known->constFind(number);
    if (texts == known->constEnd())
        return true;
    row.texts = texts->texts;
    row.brackets = texts->brackets;
    return true;
}

// --- top rows -------------------------------------------------------------------

int CPackageListBuilder::Build(CPackageList &list)
{
    CBuilderReadScope reads(*this);
    list.Clear();
    if (!m_pPackageDb)
        return 0;
    int kept = 0;
    if (m_vehicle.alternativeCatalogue) {
        std::vector<CPackageRow *> rows;
        ForEachAltPackage(QString(), [&](const CSRPPaketeAltKatData &rec, const QString &origin) {
            auto row = std::make_unique<CPackageRow>();
            row->level = kLevelTop;
            row->marker = rec.m_strPaketNr.left(2);
            row->mergeText = rec.m_strPaketNr;
            row->origin = origin;
            CPackageRow *raw = row.get();
            if (list.InsertTopRowAlt(std::move(row)))
                rows.push_back(raw);
        });
        for (CPackageRow *row : rows) {
            if (!list.Contains(row))
                continue; // replaced by a country's row of its group
            ++kept;
            CAltAwKatHGData title;
            title.m_strTypNr = m_vehicle.typeNumber;
            title.m_strSprache = m_vehicle.language;
            title.m_strKatBstNr = m_vehicle.catalogueKey;
            title.m_strHG = row->marker;
            if (m_pCatalogueDb && m_pCatalogueDb->ReadAltAwKatHGData(title)) {
                title.TrimData();
                row->groupText = TitleText(title.m_strText);
            }
        }
    } else {
        // The main groups once per build, looked up by key.
        std::vector<CAwKatHGData> groups;
        QHash<QString, int> groupIndex;
        if (m_pCatalogueDb) {
            CAwKatHGData group;
            group.m_strKatBstNr = m_vehicle.catalogueKey;
            group.m_strSprache = m_vehicle.language;
            group.m_strTypNr = m_vehicle.typeNumber;
            for (int ok = m_pCatalogueDb->ReadAwKatHGData(group); ok;
                 ok = m_pCatalogueDb->ReadNext()) {
                group.TrimData();
                groupIndex.insert(group.m_strHG, int(groups.size()));
                groups.push_back(group);
            }
        }
        // A top row spans the lines of its group: the descent to a line and
        // the packages listed when the group opens straight onto them
        // follow these ranges.
        QHash<QString, std::pair<QString, QString>> lines;
        CSRPPaketeZeilenNrData rec;
        rec.m_strKatBstNr = m_vehicle.catalogueKey;
        rec.m_strTypSchl = m_vehicle.typeKey;
        rec.m_strPaketArt = kKindSrp;
        // The lines come group by group: the group's range and its listed
        // row are looked up when the group changes, not on every line.
        std::pair<QString, QString> *range = nullptr;
        QString rangeGroup;
        const CPackageRow *listed = nullptr; // the top row of the last line's group
        for (int ok = m_pPackageDb->ReadSRPPaketeZeilenNrData(rec, m_vehicle.productionDate); ok;
             ok = m_pPackageDb->ReadNext()) {
            const QString origin = rec.m_strHerkunft;
            rec.TrimData();
            if (!PassesCountryFilter(origin))
                continue;
            if (!range || rec.m_strHG != rangeGroup) {
                rangeGroup = rec.m_strHG;
                listed = nullptr;
                auto known = lines.find(rangeGroup);
                if (known == lines.end())
                    known = lines.insert(rangeGroup, {rec.m_strZeilenNr, rec.m_strZeilenNr});
                range = &known.value();
            }
            range->first = std::min(range->first, rec.m_strZeilenNr);
            range->second = std::max(range->second, rec.m_strZeilenNr);
            // Another line of a group already listed takes its place only
            // as a country's line of the same text (InsertTopRow).
            if (listed &&
                (IsStandardPackageOrigin(origin, false) || listed->lineText != rec.m_strZeilenText))
                continue;
            auto row = RowOf(kLevelTop, rec, rec.m_strHG);
            row->origin = origin;
            row->lineText = rec.m_strZeilenText;
            const CPackageRow *raw = row.get();
            if (list.InsertTopRow(std::move(row)))
                listed = raw;
        }
        for (CPackageRow *row : list.RowsOfLevel(kLevelTop)) {
            ++kept;
            const auto range = lines.value(row->marker);
            row->selectionFrom = row->packageFrom = range.first;
            row->selectionTo = row->packageTo = range.second;
            const int index = groupIndex.value(row->marker, -1);
            if (index >= 0) {
                const CAwKatHGData &group = groups[size_t(index)];
                row->groupText = TitleText(group.m_strText);
                row->groupText2 = group.m_strText2;
                row->groupText3 = group.m_strText3;
            }
        }
    }
    if (kept) {
        list.SetCurrentOfLevel(kLevelTop, list.FirstOfLevel(kLevelTop));
        list.Show(kLevelTop, false);
    }
    return kept;
}

void CPackageListBuilder::AddHeadRows(CPackageList &list, bool campaigns,
                                      const QString &campaignText, bool spotRepair,
                                      const QString &spotRepairText)
{
    auto head = [&](const QString &marker, const QString &text) {
        auto row = std::make_unique<CPackageRow>();
        row->level = kLevelTop;
        row->marker = marker;
        row->groupText = text;
        list.InsertAtFront(std::move(row));
    };
    if (campaigns || spotRepair)
        head(kMarkerSeparator, QStringLiteral(" "));
    if (spotRepair)
        head(kMarkerSpotRepair, spotRepairText);
    if (campaigns)
        head(kMarkerCampaigns, campaignText);
    list.SetCurrentOfLevel(kLevelTop, list.FirstOfLevel(kLevelTop));
}

// --- opening rows -----------------------------------------------------------------

CPackageListBuilder::Opened CPackageListBuilder::Open(CPackageList &list, CPackageRow *row)
{
    // One step, whatever level the row opens (ReadFailed tells of it).
    CBuilderReadScope reads(*this);
    if (!row || !list.Contains(row) || row->IsSeparator())
        return Opened::Nothing;
    // The row becomes the opened one of its level: the path ends with it,
    // and the rows of the levels from `below` on go.
    const auto enter = [&list, row](int below) {
        list.RemovePathFrom(row->level);
        list.RemoveRowsFrom(below);
        list.AppendPath(row);
        list.SetCurrentOfLevel(row->level, row);
    };
    switch (row->level) {
    case kLevelTop:
        enter(kLevelGroup7);
        if (row->marker == kMarkerCampaigns || row->marker == kMarkerSpotRepair)
            return Opened::NotHere;
        if (ShowGroupLevel7(list, row) || ShowGroupLevel8(list, row) || ShowPackages(list, row))
            return Opened::LevelShown;
        return Opened::Nothing;
    case kLevelGroup7:
        enter(kLevelGroup8);
        if (ShowGroupLevel8(list, row) || ShowPackages(list, row))
            return Opened::LevelShown;
        return Opened::Nothing;
    case kLevelGroup8:
        enter(kLevelPackage);
        return ShowPackages(list, row) ? Opened::LevelShown : Opened::Nothing;
    case kLevelPackage:
    case kLevelCampaignPackage:
        list.SetCurrent(row);
        return Opened::ChoosePackage;
    default:
        return Opened::NotHere;
    }
}

int CPackageListBuilder::ShowGroupLevel7(CPackageList &list, CPackageRow *opened)
{
    CBuilderReadScope reads(*this);
    if (!opened || m_vehicle.typeKey.isEmpty() || m_vehicle.alternativeCatalogue || !m_pPackageDb)
        return 0;
    list.RemoveRowsFrom(kLevelGroup7);
    list.ClearCurrent(kLevelCampaignPackage, kLevelPackage);
    if (!HasGroupLevel7(opened->marker))
        return 0;
    int count = 0;
    CSRPPaketeZeilenNrData rec;
    rec.m_strKatBstNr = m_vehicle.catalogueKey;
    rec.m_strTypSchl = m_vehicle.typeKey;
    rec.m_strPaketArt = kKindSrp;
    rec.m_strHG = opened->marker;
    QString lastText;
    bool madeForLast = false;
    for (int ok = m_pPackageDb->ReadSRPPaketeZeilenNrData(rec, m_vehicle.productionDate); ok;
         ok = m_pPackageDb->ReadNext()) {
        rec.TrimData();
        if (rec.m_strZeilenText.isEmpty())
            continue;
        if (rec.m_strZeilenText != lastText) {
            lastText = rec.m_strZeilenText;
            madeForLast = false;
        } else if (madeForLast) {
            continue;
        }
        // The titles of the line's text key; the one of its line text names
        // the level row and how far its lines run.
        CAwKatZeileUIVAPosTxtData title;
        title.m_strKatBstNr = m_vehicle.catalogueKey;
        title.m_strHG = rec.m_strHG;
        title.m_strTextKey = rec.m_strTextKey;
        title.m_strSprache = m_vehicle.language;
        if (!m_pCatalogueDb || !m_pCatalogueDb->ReadAwKatUIVData(title))
            continue;
        bool found = false;
        do {
            title.TrimData();
            found = title.m_strZeilenText == rec.m_strZeilenText;
        } while (!found && m_pCatalogueDb->ReadNext());
        m_pCatalogueDb->CloseStmt();
        if (!Valid(rec.m_strPaketNr))
            continue;
        auto row = RowOf(kLevelGroup7, rec, rec.m_strHG);
        row->lineText = rec.m_strZeilenText;
        row->textKey = rec.m_strTextKey;
        row->selectionFrom = row->packageFrom = rec.m_strZeilenNr;
        if (found) {
            row->groupText = TitleText(title.m_strText);
            row->selectionTo = row->packageTo = title.m_strBisZeile;
            row->groupText2 = title.m_strZusatz;
        }
        ++count;
        madeForLast = true;
        list.InsertGroupRow7(std::move(row));
    }
    return ShowFilledLevel(list, kLevelGroup7, count);
}

int CPackageListBuilder::ShowGroupLevel8(CPackageList &list, CPackageRow *opened)
{
    CBuilderReadScope reads(*this);
    if (!opened || !m_pPackageDb)
        return 0;
    list.RemoveRowsFrom(kLevelGroup8);
    list.ClearCurrent(kLevelCampaignPackage, kLevelMatrixRow);
    if (m_vehicle.typeKey.isEmpty())
        return 0;
    int count = 0;
    if (m_vehicle.alternativeCatalogue) {
        ForEachAltPackage(opened->marker, [&](const CSRPPaketeAltKatData &rec, const QString &) {
            if (!Valid(rec.m_strPaketNr))
                return;
            ++count;
            auto row = RowOf(kLevelGroup8, rec, rec.m_strPaketNr.left(2));
            CPackageRow *raw = row.get();
            if (!list.InsertGroupRow8ByNumber(std::move(row)))
                return;
            CAltAwKatUGData title;
            title.m_strTypNr = m_vehicle.typeNumber;
            title.m_strHG = raw->marker;
            title.m_strSprache = m_vehicle.language;
            title.m_strUG = raw->number.mid(2, 2);
            if (m_pCatalogueDb && m_pCatalogueDb->ReadAltAwKatUGData(title)) {
                title.TrimData();
                raw->groupText = title.m_strText1 + QLatin1Char(' ') + title.m_strText2;
            }
        });
    } else {
        CSRPPaketeZeilenNrData rec;
        rec.m_strKatBstNr = m_vehicle.catalogueKey;
        rec.m_strTypSchl = m_vehicle.typeKey;
        rec.m_strPaketArt = kKindSrp;
        rec.m_strHG = opened->marker;
        rec.m_strZeilenText = opened->lineText;
        QSet<QString> seen;
        for (int ok = m_pPackageDb->ReadSRPPaketeZeilenNrData(rec, m_vehicle.productionDate); ok;
             ok = m_pPackageDb->ReadNext()) {
            const QString origin = rec.m_strHerkunft;
            rec.TrimData();
            if (!PassesCountryFilter(origin) || seen.contains(rec.m_strPaketNr) ||
                !Valid(rec.m_strPaketNr))
                continue;
            seen.insert(rec.m_strPaketNr);
            auto row = RowOf(kLevelGroup8, rec, rec.m_strHG);
            row->lineText = rec.m_strZeilenText;
            row->secondKey = rec.m_strUGKey;
            row->selectionFrom = rec.m_strZeilenNr;
            CPackageRow *raw = row.get();
            if (!list.InsertGroupRow8(std::move(row)) || !m_pCatalogueDb)
                continue;
            CAwKatZeileUIVAPosTxtData title;
            title.m_strKatBstNr = m_vehicle.catalogueKey;
            title.m_strTypNr = m_vehicle.typeNumber;
            title.m_strHG = raw->marker;
            title.m_strSprache = m_vehicle.language;
            title.m_strUGKey = raw->secondKey;
            if (!m_pCatalogueDb->ReadAwKatIVTxtData(title))
                continue;
            title.TrimData();
            raw->groupText = TitleText(title.m_strText);
            raw->selectionTo = title.m_strBisZeile;
            raw->packageFrom = opened->packageFrom;
            raw->packageTo = opened->selectionTo;
            ++count;
        }
    }
    return ShowFilledLevel(list, kLevelGroup8, count);
}

void CPackageListBuilder::FinishPackageRow(CPackageRow &row)
{
    // A failure is the step's (ReadFailed).
    static_cast<void>(ReadPositionTexts(row, row.number));
    row.countrySpecific =
        IsDealersCountryOrigin(row.origin, m_vehicle.countrySpecific, m_vehicle.countryCode);
    if (m_pReads)
        row.partsClearing = m_pReads->PartsClearing(row.number) ? 1 : 0;
    if (m_pMarketing && m_pMarketing->SearchFstlnValueln(m_vehicle.catalogueKey + row.number)) {
        row.isFastlane = m_pMarketing->Fastlane != QLatin1String("0") ? 1 : 0;
        row.isValueLine = m_pMarketing->Valueline != QLatin1String("0") ? 1 : 0;
    }
}

int CPackageListBuilder::ShowPackages(CPackageList &list, CPackageRow *opened)
{
    CBuilderReadScope reads(*this);
    if (!opened)
        return 0;
    list.RemoveRowsFrom(kLevelPackage);
    list.ClearCurrent(kLevelCampaignPackage, kLevelMatrixRow);
    // The package level is shown from here on, also when it stays empty:
    // the rows of the level opened from are not offered again as if they
    // were its packages.
    list.Show(kLevelPackage, false);
    if (m_vehicle.typeKey.isEmpty() || !m_pPackageDb)
        return 0;
    if (m_vehicle.alternativeCatalogue)
        return ShowPackagesAlt(list, opened);
    const auto covered = [this](const CPackageRow &row) { return IsCovered(row); };
    int count = 0;
    CSRPPaketeZeilenNrData rec;
    rec.m_strKatBstNr = m_vehicle.catalogueKey;
    rec.m_strTypSchl = m_vehicle.typeKey;
    rec.m_strHG = opened->marker;
    QString lastNumber, lastInfoNext;
    for (int ok = m_pPackageDb->ReadSRPPaketeZeilenNrData(rec, m_vehicle.productionDate); ok;
         ok = m_pPackageDb->ReadNext()) {
        const QString origin = rec.m_strHerkunft;
        rec.TrimData();
        if (!Between(opened->packageFrom, rec.m_strZeilenNr, opened->packageTo) ||
            !Valid(rec.m_strPaketNr))
            continue;
        auto row = RowOf(kLevelPackage, rec, rec.m_strHG);
        row->lineKey = row->selectionFrom = row->selectionTo = rec.m_strZeilenNr;
        row->origin = origin;
        row->kind = rec.m_strPaketArt;
        // Two packages in a row that name each other in their information
        // are marked as one piece of work.
        if (m_pReads) {
            QString next, previous;
            if (m_pReads->PositionInfo(row->number, &next, &previous) &&
                row->number == lastInfoNext && lastNumber == previous)
                row->information = 1;
            lastNumber = row->number;
            lastInfoNext = next;
        }
        if (!PassesCountryFilter(origin))
            continue;
        CPackageRow *raw = row.get();
        if (!list.InsertPackage(std::move(row), covered))
            continue;
        // Only a row that is listed needs its texts.
        FinishPackageRow(*raw);
        ++count;
        if (raw->lineKey == opened->selectionFrom)
            list.SetCurrentOfLevel(kLevelPackage, raw);
    }
    list.RemoveLooseVariants();
    return ShowFilledLevel(list, kLevelPackage, count);
}

void CPackageListBuilder::ForEachAltPackage(
    const QString &mainGroup,
    const std::function<void(const CSRPPaketeAltKatData &rec, const QString &origin)> &take)
{
    CSRPPaketeAltKatData rec;
    rec.m_strKatBstNr = m_vehicle.catalogueKey;
    rec.m_strTypSchl = m_vehicle.typeKey;
    for (int ok = m_pPackageDb->ReadSRPPaketeAltKatData(rec, mainGroup); ok;
         ok = m_pPackageDb->ReadNext()) {
        const QString origin = rec.m_strHerkunft;
        rec.TrimData();
        if (Between(rec.m_strGueltigVon, m_vehicle.productionDate, rec.m_strGueltigBis) &&
            PassesCountryFilter(origin))
            take(rec, origin);
    }
}

int CPackageListBuilder::ShowPackagesAlt(CPackageList &list, CPackageRow *opened)
{
    int count = 0;
    ForEachAltPackage(opened->marker, [&](const CSRPPaketeAltKatData &rec, const QString &origin) {
        if (!Valid(rec.m_strPaketNr))
            return;
        auto row = RowOf(kLevelPackage, rec, rec.m_strPaketNr.left(2));
        row->origin = origin;
        CPackageRow *raw = row.get();
        if (!list.InsertPackage(std::move(row), {}))
            return;
        FinishPackageRow(*raw);
        ++count;
        if (!list.Current(kLevelPackage) && raw->number.left(4) == opened->number.left(4))
            list.SetCurrentOfLevel(kLevelPackage, raw);
    });
    list.RemoveLooseVariants();
    return ShowFilledLevel(list, kLevelPackage, count);
}

// --- the way down to a requested package ------------------------------------------

QString CPackageListBuilder::PackageLineNumber(const QString &packageNumber)
{
    if (!m_pPackageDb || packageNumber.isEmpty())
        return {};
    CSRPPaketeZeilenNrData rec;
    rec.m_strKatBstNr = m_vehicle.catalogueKey;
    rec.m_strTypSchl = m_vehicle.typeKey;
    rec.m_strHG = packageNumber.left(2);
    rec.m_strPaketNr = packageNumber;
    if (!m_pPackageDb->SearchSRPPaketeZeilenNr(rec))
        return {};
    m_pPackageDb->CloseStmt();
    rec.TrimData();
    return rec.m_strZeilenNr;
}

CPackageRow *CPackageListBuilder::DescendTo(CPackageList &list, const QString &packageNumber,
                                            QString lineNumber)
{
    CBuilderReadScope reads(*this);
    if (packageNumber.isEmpty())
        return nullptr;
    const bool alt = m_vehicle.alternativeCatalogue || m_vehicle.catalogueFlag == 1;
    if (!alt && lineNumber.isEmpty())
        lineNumber = PackageLineNumber(packageNumber);
    const QString group = packageNumber.left(2);
    // Each step takes a row of the level shown and opens it; a step never
    // takes a second row of the kind it took last.
    int lastLevel = 0;
    for (;;) {
        CPackageRow *taken = nullptr;
        for (CPackageRow *row : list.RowsOfLevel(list.ShownLevel())) {
            if (row->level == lastLevel)
                break;
            const bool match =
                alt ? (row->level == kLevelTop && row->marker == group) ||
                          (row->level == kLevelGroup8 &&
                           row->number.left(4) == packageNumber.left(4)) ||
                          (row->level == kLevelPackage && row->number == packageNumber)
                    : row->marker == group && row->SelectsLine(lineNumber);
            if (match) {
                taken = row;
                break;
            }
        }
        if (!taken)
            return nullptr;
        lastLevel = taken->level;
        list.SetCurrent(taken);
        if (taken->level == kLevelPackage)
            return taken;
        if (Open(list, taken) != Opened::LevelShown)
            return nullptr;
    }
}
