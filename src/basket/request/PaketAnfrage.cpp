#include "basket/request/PaketAnfrage.h"

#include "basket/model/BasketList.h"
#include "basket/model/BasketListDocument.h"
#include "common/readers/CatalogueCache.h"
#include "common/readers/CatalogueColumn.h"
#include "packages/edit/PackageLoader.h"
#include "packages/model/Position.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/db/PackageOrigin.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QDate>

#include <vector>

namespace {

constexpr int kNumberLength = 7;
constexpr int kShortVinLength = 7;
constexpr int kFullVinLength = 17;
const QLatin1String kKindSrp("SRP");

// The validity of the package's positions as the request asks it: labour
// values of the number for the vehicle, in its column of the catalogue.
class CRequestReads : public IPackageLoadReads
{
public:
    CRequestReads(CPrgSettings *settings, CYaqDb *db) : m_pSettings(settings), m_pDb(db) {}
    CatalogueAnswer<int> CatalogueColumn() override
    {
        if (!m_pDb || m_pSettings->ModellBez == kNoModelDesignation)
            return {-1, false};
        return GetAwKatSpalte(m_pSettings, m_pDb, m_pSettings->ModellBez, {});
    }
    bool PositionApplies(const QString &number, int column) override
    {
        return m_pDb &&
               GetAPosWert(m_pSettings, number, m_pDb, 0, 0, QString(), QString(), 0, column) != 0;
    }

private:
    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
};

} // namespace

CPaketAnfrage::CPaketAnfrage(CPrgSettings *settings, const QString &callerVin, CYaqDb *first,
                             CYaqDb *second, std::function<std::unique_ptr<CYaqDb>()> open,
                             const QString &numbers)
    : m_pSettings(settings), m_strCallerVin(callerVin), m_pFirst(first), m_pSecond(second),
      m_open(std::move(open)), m_bTooManyNumbers(CountNumbers(numbers) > kMaxNumbers),
      m_numbers(m_bTooManyNumbers ? QStringList() : SplitNumbers(numbers))
{
    m_nFailuresAtStart = Failures();
}

qsizetype CPaketAnfrage::CountNumbers(const QString &value)
{
    if (value.isEmpty())
        return 0;
    const qsizetype pieces = value.count(QLatin1Char(';')) + 1;
    // What follows the last ";" counts only when it is not empty.
    return pieces > 1 && value.endsWith(QLatin1Char(';')) ? pieces - 1 : pieces;
}

QStringList CPaketAnfrage::SplitNumbers(const QString &value)
{
    QStringList pieces = value.split(QLatin1Char(';'));
    // What follows the last ";" counts only when it is not empty.
    if (pieces.size() > 1 && pieces.constLast().isEmpty())
        pieces.removeLast();
    else if (pieces.size() == 1 && pieces.constFirst().isEmpty())
        pieces.clear();
    QStringList numbers;
    for (const QString &piece : std::as_const(pieces))
        numbers << (piece.size() == kNumberLength ? piece : QString());
    return numbers;
}

void CPaketAnfrage::Run()
{
    PutBasketListOnClipboard(BuildAnswer(), BasketListForm::PackageRequest);
}

QString CPaketAnfrage::BuildAnswer()
{
    // The VIN the caller sent, whatever the identification made of it: a
    // VIN of another length is the caller's fault (-5), not a missing one.
    // A full VIN stands for its last seven characters. A VIN that
    // identifies no vehicle finds no package: its numbers answer empty.
    const QString vin = m_strCallerVin.size() == kFullVinLength
                            ? m_strCallerVin.right(kShortVinLength)
                            : m_strCallerVin;
    if (m_nResult == kDone) {
        if (vin.isEmpty())
            m_nResult = kNoVin;
        else if (vin.size() != kShortVinLength)
            m_nResult = kBadVin;
        else if (GetSprachKey().isEmpty())
            m_nResult = kNoLanguage;
        else if (m_bTooManyNumbers)
            m_nResult = kTooManyNumbers;
        else if (m_numbers.isEmpty())
            m_nResult = kNoNumbers;
        else if (m_bCatalogueUnavailable)
            m_nResult = kNoConnection;
        else {
            const QString document = ProcessNumbers();
            if (m_nResult == kDone)
                return document;
        }
    }
    return QString::asprintf("ERROR%.2i", m_nResult);
}

void CPaketAnfrage::Answer(CBasketListStream &document, const CWKListItem &entry)
{
    CBasketArray baskets;
    AppendBaskets(baskets, entry, m_pSettings->TypSchl);
    for (const CBasket &basket : baskets)
        document.Add(basket);
    // What follows only makes the answer longer.
    if (document.EndedBlockBytes() > kMaxAnswerBytes)
        m_nResult = kAnswerTooLarge;
}

void CPaketAnfrage::AppendEmpty(CBasketListStream &document)
{
    Answer(document, CWKListItem(WK_NONE, std::make_unique<CPaket>()));
}

QString CPaketAnfrage::ProcessNumbers()
{
    CPrgSettings &s = *m_pSettings;
    // Without a production date the packages and parts valid today count.
    m_strProductionDate = s.ProductionDate();
    if (m_strProductionDate.isEmpty())
        m_strProductionDate = QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
    // The loader's own connections serve every package of the request.
    CPackageLoadOwnConnections kept;
    // Each package is written into the answer as soon as it is assembled,
    // and the request ends once the answer no longer fits: what it holds is
    // one package and at most one answer, whatever the numbers asked.
    CBasketListStream document(CBasketListHead(), BasketListForm::PackageRequest);
    for (const QString &number : std::as_const(m_numbers)) {
        if (m_nResult != kDone)
            return QString();
        ++m_nGoneThrough;
        m_paket.RemoveAll();
        // The alternative catalogue holds no package heads: none is found.
        const bool found = !number.isEmpty() && !s.bAltKatalog && FindPackage(number);
        // A read that failed finds no package that is not there: the
        // catalogue could not be read, as at a start without it.
        if (CatalogueFailed()) {
            m_nResult = kNoConnection;
            return QString();
        }
        if (!found) {
            AppendEmpty(document);
            continue;
        }
        AddMainGroupLine(number);
        CPosition *head = AddPackageHead(number);
        if (CatalogueFailed()) {
            m_nResult = kNoConnection;
            return QString();
        }
        if (!head) {
            AppendEmpty(document);
            continue;
        }
        CPackageLoadConnections connections;
        connections.values = m_pFirst;
        connections.catalogue = m_pSecond;
        connections.texts = m_pSecond;
        connections.open = m_open;
        connections.kept = &kept;
        CPackageLoadVehicle vehicle = CPackageLoadVehicle::FromSettings(s);
        vehicle.language = GetPrgSprache();
        vehicle.productionDate = m_strProductionDate;
        CRequestReads reads(m_pSettings, m_pSecond);
        CPackageLoader loader(connections, &reads, vehicle, nullptr);
        const CPackageLoader::Result loaded = loader.Load(m_paket, head, kKindSR);
        if (loaded == CPackageLoader::Result::NoConnection ||
            loaded == CPackageLoader::Result::Failed || CatalogueFailed()) {
            // Half a package would be answered as a whole one (a read on
            // the loader's own connections too).
            m_nResult = kNoConnection;
            return QString();
        }
        // The package's own lines name its kind as its head does.
        for (const auto &line : m_paket) {
            if (line->PaketID == m_strPackageId && line->PaketArt.isEmpty())
                line->PaketArt = m_strPackageKind;
        }
        Answer(document, CWKListItem(WK_SRP, std::make_unique<CPaket>(m_paket)));
    }
    return m_nResult == kDone ? document.End() : QString();
}

int CPaketAnfrage::Failures() const
{
    return (m_pFirst ? m_pFirst->Failures() : 0) + (m_pSecond ? m_pSecond->Failures() : 0);
}

bool CPaketAnfrage::CatalogueFailed() const
{
    return Failures() != m_nFailuresAtStart;
}

bool CPaketAnfrage::FindPackage(const QString &number)
{
    if (!m_pFirst || !m_pSecond)
        return false;
    const CPrgSettings &s = *m_pSettings;
    // The rows are read whole before the validity reads start.
    std::vector<CSRPPaketeZeilenNrData> rows;
    CSRPPaketeZeilenNrData rec;
    rec.m_strKatBstNr = s.KatalogKey;
    rec.m_strTypSchl = s.TypSchl;
    rec.m_strHG = number.left(2);
    rec.m_strPaketArt = kKindSrp;
    for (int ok = m_pFirst->ReadSRPPaketeZeilenNrData(rec, m_strProductionDate); ok;
         ok = m_pFirst->ReadNext()) {
        const QString origin = rec.m_strHerkunft;
        rec.TrimData();
        if (rec.m_strPaketNr == number && rec.m_strPaketArt == kKindSrp &&
            PackageOriginCounts(origin, s.CountrySpecPakets, s.Laendercode))
            rows.push_back(rec);
    }
    m_pFirst->CloseStmt();
    if (rows.empty())
        return false;
    CRequestReads reads(m_pSettings, m_pSecond);
    const CatalogueAnswer<int> column = reads.CatalogueColumn();
    // A column that could not be read fails the whole request.
    if (column.failed)
        return false;
    for (const CSRPPaketeZeilenNrData &row : rows) {
        if (!reads.PositionApplies(number, column.value))
            continue;
        m_strPackageId = row.m_strEigenNr.isEmpty() ? row.m_strPaketNr : row.m_strEigenNr;
        m_strPackageKind = row.m_strPaketArt;
        m_strLineNumber = row.m_strZeilenNr;
        return true;
    }
    return false;
}

void CPaketAnfrage::AddMainGroupLine(const QString &number)
{
    const CPrgSettings &s = *m_pSettings;
    auto line = std::make_unique<CPosition>();
    line->Type = POS_SPECIAL1;
    line->HG = number.left(2);
    line->PaketID = m_strPackageId;
    line->PaketArt = m_strPackageKind;
    CAPosHgTxtData rec;
    rec.m_strKatBstNr = s.KatalogKey;
    rec.m_strSprache = GetPrgSprache();
    rec.m_strTypNr = s.Bestellnr;
    rec.m_strHG = line->HG;
    if (m_pSecond->ReadAPosHgTxtData(rec))
        line->HGText = WithoutTrailingBlanks(rec.m_strText);
    m_pSecond->CloseStmt();
    m_paket.AddPosition(std::move(line));
}

CPosition *CPaketAnfrage::AddPackageHead(const QString &number)
{
    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD_CAMPAIGN;
    head->Number = number;
    head->PaketID = m_strPackageId;
    head->PaketArt = m_strPackageKind;
    head->ZeilenNr = m_strLineNumber;
    // A head without texts would reach the caller as a package nobody can
    // name.
    if (!ReadPositionTexts(*head))
        return nullptr;
    CAPosInfoData info;
    info.m_strKatBstNr = m_pSettings->KatalogKey;
    info.m_strAPosNr = number;
    head->PlusKennung = GetAPosInfo(m_pSettings, m_pSecond, info, QString()) ? 1 : 0;
    head->TeileClearing = GetTeileClearing(m_pSettings, m_pSecond, number, QString());
    return m_paket.AddPosition(std::move(head));
}

bool CPaketAnfrage::ReadPositionTexts(CPosition &line) const
{
    const CPrgSettings &s = *m_pSettings;
    CAPosTxtAPosKTxtData rec;
    rec.m_strKatBstNr = s.KatalogKey;
    rec.m_strAPosNr = line.Number;
    rec.m_strSprache = GetPrgSprache();
    rec.m_strEReihe = s.EReihe.trimmed();
    const bool found = m_pSecond->ReadAPosTxtAPosKTxtData(rec) != 0;
    m_pSecond->CloseStmt();
    if (!found)
        return false;
    TakePositionTexts(line, rec);
    return true;
}
