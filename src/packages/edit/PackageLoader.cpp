#include "packages/edit/PackageLoader.h"

#include "common/readers/CatalogueCache.h"
#include "common/readers/CatalogueColumn.h"
#include "packages/edit/PackageSelection.h"
#include "packages/model/Paket.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/db/DbReadScope.h"
#include "platform/db/PackageOrigin.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Texts of the group lines, the notices and the failed connection.
const int kTextOptional = 3132;         // "OPTIONAL"
const int kTextOptionalPackages = 3216; // "OPTIONALE PAKETE"
const int kTextPaintNotice = 4057;      // paint material still to be added
const int kTextRearSpringNotice = 4078; // without the rear springs

QString KindText(int kind)
{
    switch (kind) {
    case kKindSR:
        return QStringLiteral("SRP");
    case kKindSP:
        return QStringLiteral("SIP");
    case kKindVL:
        return QStringLiteral("VLP");
    default:
        return QString(); // a warranty package never has sub-packages
    }
}

// The four kinds of a package number: the place of the kind's number on a
// head, the head's line type and its kind text.
struct KindOfHead
{
    int index;
    int type;
    const char *text;
};
const KindOfHead kHeadKinds[] = {{kSrpNumber, POS_HEAD_CAMPAIGN, "SRP"},
                                 {kGrpNumber, POS_HEAD18, "GRP"},
                                 {kSipNumber, POS_HEAD19, "SIP"},
                                 {kVlpNumber, POS_HEAD20, "VLP"}};

} // namespace

int HeadKindOf(const CPosition &head)
{
    for (int kind = kKindGR; kind <= kKindVL; ++kind) {
        if (head.PaketArt == QLatin1String(kHeadKinds[kind].text))
            return kind;
    }
    return kKindSR;
}

bool TurnHeadToKind(CPosition &head, int kind)
{
    if (kind < kKindSR || kind > kKindVL)
        return false;
    const int present = HeadKindOf(head);
    if (present == kind)
        return true;
    const KindOfHead &to = kHeadKinds[kind];
    QString &number = head.PaketTexts[size_t(to.index)];
    if (number.isEmpty())
        return false;
    head.PaketTexts[size_t(kHeadKinds[present].index)] = head.PaketID;
    head.PaketID = number;
    number.clear();
    head.PaketArt = QLatin1String(to.text);
    head.Type = to.type;
    return true;
}

const QString CPackageLoader::kRearSpringTypeNumber = QStringLiteral("VQF50DE");

CPackageLoadVehicle CPackageLoadVehicle::FromSettings(const CPrgSettings &settings)
{
    CPackageLoadVehicle v;
    v.TakeKeysFrom(settings);
    v.leadType = settings.LeadTyp;
    v.extraCode = settings.ZusatzCode;
    return v;
}

CCatalogueLoadReads::CCatalogueLoadReads(CPrgSettings *settings, CYaqDb *db,
                                         std::function<bool(const QString &)> isMappedCode)
    : m_pSettings(settings), m_pDb(db), m_isMappedCode(std::move(isMappedCode))
{
}

CCatalogueLoadReads::~CCatalogueLoadReads() = default;

void CCatalogueLoadReads::LoadStarts()
{
    m_pLoadCache.reset();
    if (!m_pSettings || !m_pSettings->bLocalDataSet)
        return;
    m_pLoadCache = std::make_unique<CCatalogueCache>(CCatalogueCache::OnLocalFile::ReadByGroup);
    m_pLoadCache->SetModelCodeCheck(m_isMappedCode ? m_isMappedCode
                                                   : CatalogueCache().InstalledModelCodeCheck());
}

void CCatalogueLoadReads::LoadEnds()
{
    m_pLoadCache.reset();
}

CatalogueAnswer<int> CCatalogueLoadReads::CatalogueColumn()
{
    if (!m_pSettings || m_pSettings->ModellBez == kNoModelDesignation)
        return {-1, false};
    return GetAwKatSpalte(m_pSettings, m_pDb, m_pSettings->ModellBez, m_isMappedCode);
}

bool CCatalogueLoadReads::PositionApplies(const QString &number, int column)
{
    CCatalogueCache &cache = m_pLoadCache ? *m_pLoadCache : CatalogueCache();
    return cache.GetAPosWert(m_pSettings, number, m_pDb, 0, 0, QString(), QString(), 1, column) !=
           0;
}

// One package being loaded: where its lines go and what they copy.
struct CPackageLoader::Level
{
    QString key;        // package key: the lines' key in the catalogue
    QString suffix;     // number suffix
    QString headNumber; // number of the package's head (lead labour)
    bool warranty = false;
    QSet<QString> path; // the package keys from the outer package down to this one
};

CPackageLoader::CPackageLoader(CPackageLoadConnections connections, IPackageLoadReads *reads,
                               CPackageLoadVehicle vehicle, IPaketNotice *notice)
    : m_db(std::move(connections)), m_pReads(reads), m_vehicle(std::move(vehicle)),
      m_pNotice(notice)
{
}

CPackageLoader::~CPackageLoader() = default;

CPackageLoader::Result CPackageLoader::Load(CPaket &paket, CPosition *head, int kind)
{
    if (!head)
        return Result::AlreadyLoaded;
    // A page shown again keeps what the adviser chose: lines go only into a
    // package that holds nothing but its list line and head.
    for (const auto &line : paket) {
        if (line->Type != POS_SPECIAL1 && !IsHeadType(line->Type))
            return Result::AlreadyLoaded;
    }

    CPackageLoadOwnConnections &own = m_db.kept ? *m_db.kept : m_own;
    for (std::unique_ptr<CYaqDb> *db : {&own.lines, &own.lookup}) {
        if (*db)
            continue;
        *db = m_db.open ? m_db.open() : nullptr;
        if (!*db)
            break;
        ++m_nOpened;
    }
    if (!own.lines || !own.lookup) {
        own.lines.reset();
        own.lookup.reset();
        // The load stops; the program goes on, and the next load tries again.
        if (m_pNotice && CatalogueFailure::ToTell())
            m_pNotice->Notice(CatalogueFailure::Text());
        return Result::NoConnection;
    }
    m_pLines = own.lines.get();
    m_pLookup = own.lookup.get();

    // The kind buttons: the head becomes the head of the chosen kind.
    TurnHeadToKind(*head, kind);

    m_nKind = kind;
    // Any read of the load that fails makes it a failed load: a line left
    // out, a text or a value missing would show as the catalogue's answer.
    const auto failures = [this] {
        return FailuresOf({m_pLines, m_pLookup, m_db.values, m_db.catalogue, m_db.texts});
    };
    const int failuresBefore = failures();
    bool failed = false;
    if (m_pReads)
        m_pReads->LoadStarts();
    m_nColumn = -1;
    if (m_pReads) {
        const CatalogueAnswer<int> column = m_pReads->CatalogueColumn();
        m_nColumn = column.value;
        failed = column.failed;
    }
    Level level;
    level.key = head->PaketID;
    level.suffix = head->PaketTexts[kSuffix];
    level.headNumber = head->Number;
    level.warranty = head->Type == POS_HEAD18;
    level.path.insert(level.key);
    if (!level.key.isEmpty() && !failed) {
        // One read transaction per connection for the whole load: the
        // package is read from one state of the catalogue, and the local
        // catalogue file is locked once instead of once per read.
        const CDbReadScope reads({m_pLines, m_pLookup, m_db.values, m_db.catalogue, m_db.texts});
        LoadLevel(paket, level);
    }
    failed = failed || failures() != failuresBefore;
    CPackageSelection(&paket).InitStates();
    if (m_pReads)
        m_pReads->LoadEnds();

    m_pLines = m_pLookup = nullptr;
    for (std::unique_ptr<CYaqDb> *db : {&own.lines, &own.lookup}) {
        if (!m_db.kept || (*db)->LastFailed())
            db->reset();
    }
    return failed ? Result::Failed : Result::Loaded;
}

void CPackageLoader::LoadLevel(CPaket &target, const Level &level)
{
    // Each result set is read whole first: a sub-package loaded on the way
    // reads on the same connections.
    std::vector<CSRPAPosData> positions;
    CSRPAPosData pos;
    pos.m_strKatBstNr = m_vehicle.catalogueKey;
    pos.m_strPaketNr = level.key;
    for (int ok = m_pLines->ReadSRPAPosData(pos); ok; ok = m_pLines->ReadNext()) {
        pos.TrimData();
        positions.push_back(pos);
    }
    std::vector<CSRPTeileData> parts;
    CSRPTeileData part;
    part.m_strKatBstNr = m_vehicle.catalogueKey;
    part.m_strPaketNr = level.key;
    for (int ok = m_pLines->ReadSRPTeileData(part); ok; ok = m_pLines->ReadNext()) {
        part.TrimData();
        parts.push_back(part);
    }

    // The level's lines go into the package together, in the order made.
    std::vector<std::unique_ptr<CPosition>> made;
    const bool paint = level.headNumber.startsWith(QLatin1String("72"));
    bool optionalGroup = false, packagesGroup = false;
    auto addGroupLine = [&](const QString &kind, int textId) {
        auto group = std::make_unique<CPosition>();
        group->Type = POS_GROUP;
        group->Kind = kind;
        group->BefundText = OrmelText(textId);
        group->PaketID = level.key;
        group->PaketTexts[kSuffix] = level.suffix;
        made.push_back(std::move(group));
    };

    for (const CSRPAPosData &row : positions) {
        if (m_pReads && !m_pReads->PositionApplies(row.m_strAPosNr, m_nColumn))
            continue;
        auto line = std::make_unique<CPosition>();
        line->Type = POS_WORK;
        line->Number = row.m_strAPosNr;
        line->Kind = row.m_strArt;
        line->AwPosRef = row.m_strRefNr;
        line->PaketID = level.key;
        line->PaketTexts[kSuffix] = level.suffix;
        line->SetDiscountableFlag();
        ReadPositionTexts(*line);

        if (!level.warranty && line->Kind == QLatin1String("O") && !m_vehicle.typeKey.isEmpty())
            LoadSubPackage(*line, level);

        if (line->Kind == QLatin1String("OP")) {
            line->Quantity.clear();
        } else {
            ReadLabourValues(*line);
            line->IsLeadLabour = line->Number == level.headNumber ? 1 : 0;
        }

        if (paint && line->Number.startsWith(QLatin1String("99")))
            line->Text = OrmelText(kTextPaintNotice);
        if (m_vehicle.typeNumber == kRearSpringTypeNumber &&
            (line->Number == QLatin1String("7259049") || line->Number == QLatin1String("7259050")))
            line->Text = OrmelText(kTextRearSpringNotice);

        if (line->Kind == QLatin1String("O") && !optionalGroup) {
            addGroupLine(line->Kind, kTextOptional);
            optionalGroup = true;
        } else if (line->Kind == QLatin1String("OP") && !packagesGroup) {
            addGroupLine(line->Kind, kTextOptionalPackages);
            packagesGroup = true;
        }
        made.push_back(std::move(line));
    }

    for (const CSRPTeileData &row : parts) {
        const QString &date = m_vehicle.productionDate;
        if (!(row.m_strGueltigVon <= date && date <= row.m_strGueltigBis))
            continue;
        auto line = std::make_unique<CPosition>();
        line->Type = POS_PART;
        line->Number = row.m_strTeileNr;
        // The quantity goes to the DMS and the transfer system as the
        // catalogue writes it ("4.500").
        line->Quantity = row.m_strMenge;
        line->Kind = row.m_strArt;
        line->PosLfdNr = row.m_strPosLfdNr;
        line->PosLfdNrRef = row.m_strPosLfdNrRef;
        line->VonBaustand = row.m_strGueltigVon;
        line->BisBaustand = row.m_strGueltigBis;
        line->PaketID = level.key;
        line->PaketTexts[kSuffix] = level.suffix;
        line->SetDiscountableFlag();
        if (m_db.catalogue) {
            CSRPTeileTextData text;
            text.m_strKatBstNr = m_vehicle.catalogueKey;
            text.m_strTeileNr = row.m_strTeileNr;
            text.m_strSprache = m_vehicle.language;
            if (m_db.catalogue->ReadSRPTeileTextData(text))
                line->TeileText = WithoutTrailingSpaces(text.m_strText);
            m_db.catalogue->CloseStmt();
        }
        if (line->Kind == QLatin1String("O") && !optionalGroup) {
            addGroupLine(line->Kind, kTextOptional);
            optionalGroup = true;
        }
        made.push_back(std::move(line));
    }
    target.AddPositions(std::move(made));
}

bool CPackageLoader::LoadSubPackage(CPosition &line, const Level &level)
{
    const QString wanted = KindText(m_nKind);
    if (wanted.isEmpty())
        return false;
    auto firstMatch = [&](const QString &origin, CSRPUnterPaketData *found) {
        CSRPUnterPaketData rec;
        rec.m_strKatBstNr = m_vehicle.catalogueKey;
        rec.m_strTypSchl = m_vehicle.typeKey;
        rec.m_strPaketNr = line.Number;
        rec.m_strHerkunft = origin;
        bool hit = false;
        for (int ok = m_pLookup->SelectSRPUnterPaketData(rec, m_vehicle.productionDate); ok && !hit;
             ok = hit ? 0 : m_pLookup->ReadNext()) {
            rec.TrimData();
            if (rec.m_strPaketArt == wanted) {
                *found = rec;
                hit = true;
            }
        }
        m_pLookup->CloseStmt();
        return hit;
    };
    // A sub-package is loaded once, from the first row of its kind: more
    // rows of the same package would only repeat its lines.
    CSRPUnterPaketData row;
    const bool country = m_vehicle.countrySpecific && !m_vehicle.countryCode.isEmpty() &&
                         firstMatch(m_vehicle.countryCode, &row);
    // The standard rows are read by any of their codes.
    if (!country && !firstMatch(StandardPackageOrigins().front(), &row))
        return false;
    // A package that contains itself, directly or further down, stays an
    // optional line: loading it again would never end.
    if (level.path.contains(row.m_strPaketID))
        return false;

    line.Type = POS_SUBPACKAGE;
    line.Kind = QStringLiteral("OP");
    line.Selected = 0;
    if (!line.SubPackage)
        line.SubPackage = std::make_unique<CPaket>();
    CPaket &nested = *line.SubPackage;

    auto listLine = std::make_unique<CPosition>();
    listLine->Type = POS_SPECIAL1;
    listLine->PaketID = row.m_strPaketID;
    listLine->PaketTexts[kSuffix] = row.m_strZusatz;
    listLine->HG = row.m_strPaketNr.left(2);
    listLine->HGText = MainGroupText(listLine->HG);
    nested.AddPosition(std::move(listLine));

    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD_CAMPAIGN;
    head->Number = row.m_strPaketNr;
    head->PaketID = row.m_strPaketID;
    head->PaketTexts[kSuffix] = row.m_strZusatz;
    head->PaketArt = row.m_strPaketArt;
    ReadPositionTexts(*head);
    nested.AddPosition(std::move(head));

    Level sub;
    sub.key = row.m_strPaketID;
    sub.suffix = row.m_strZusatz;
    sub.headNumber = row.m_strPaketNr;
    sub.path = level.path;
    sub.path.insert(sub.key);
    LoadLevel(nested, sub);
    CPackageSelection(&nested).InitStates();
    return true;
}

void TakePositionTexts(CPosition &line, CAPosTxtAPosKTxtData &rec)
{
    rec.TrimData();
    line.AwText1 = rec.m_strText1;
    line.AwText2 = rec.m_strText2;
    line.AwText3 = rec.m_strText3;
    line.AwText4 = rec.m_strText4;
    line.KlammerText1 = rec.m_strKText1;
    line.KlammerText2 = rec.m_strKText2;
    line.KlammerText3 = rec.m_strKText3;
    line.KlammerText4 = rec.m_strKText4;
}

void CPackageLoader::ReadPositionTexts(CPosition &line) const
{
    if (!m_db.texts)
        return;
    CAPosTxtAPosKTxtData rec;
    rec.m_strKatBstNr = m_vehicle.catalogueKey;
    rec.m_strSprache = m_vehicle.language;
    rec.m_strEReihe = m_vehicle.modelSeries;
    rec.m_strAPosNr = line.Type == POS_SPECIAL2 || line.Type == POS_SPECIAL4
                          ? line.Campaign[CPositionData::CampaignPackageRef].mid(1, 7)
                          : line.Number;
    if (m_db.texts->ReadAPosTxtAPosKTxtData(rec)) {
        TakePositionTexts(line, rec);
    }
    m_db.texts->CloseStmt();
}

void CPackageLoader::ReadLabourValues(CPosition &line) const
{
    QString r, u, m, plain;
    if (m_db.values) {
        CAPosWertData rec;
        rec.m_strKatBstNr = m_vehicle.catalogueKey;
        rec.m_strAPosNr = line.Number;
        rec.m_strLTyp = m_vehicle.leadType;
        rec.m_strZusatz = m_vehicle.extraCode;
        for (int ok = m_db.values->ReadAPosWertData(rec); ok;
             ok = m_db.values->ReadNextAPosWertData(rec)) {
            rec.TrimData();
            // The remark "AZ" marks work charged by time; "-" is no value.
            QString value = rec.m_strBemerkung == QLatin1String("AZ") ? CPosition::AzMarker()
                                                                      : rec.m_strAwWert.trimmed();
            if (value.isEmpty() || value == QLatin1String("-"))
                continue;
            const QString unit = CCatalogueCache::UnitLetter(rec.m_strEinheit);
            if (unit == QLatin1String("R"))
                r = value;
            else if (unit == QLatin1String("U"))
                u = value;
            else if (unit == QLatin1String("M"))
                m = value;
            else
                plain = value;
        }
        m_db.values->CloseStmt();
    }
    line.R = r;
    line.U = u;
    line.M = m;
    if (!plain.isEmpty() && plain == CPosition::AzMarker()) {
        line.Az = plain;
        line.Quantity.clear();
    } else {
        line.Az.clear();
        line.Quantity = plain;
    }
}

QString CPackageLoader::MainGroupText(const QString &mainGroup) const
{
    if (!m_db.texts)
        return {};
    CAPosHgTxtData rec;
    rec.m_strKatBstNr = m_vehicle.catalogueKey;
    rec.m_strSprache = m_vehicle.language;
    rec.m_strTypNr = m_vehicle.typeNumber;
    rec.m_strHG = mainGroup;
    QString text;
    if (m_db.texts->ReadAPosHgTxtData(rec))
        text = WithoutTrailingSpaces(rec.m_strText);
    m_db.texts->CloseStmt();
    return text;
}
