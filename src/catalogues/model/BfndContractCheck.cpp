#include "catalogues/model/BfndContractCheck.h"

#include "catalogues/model/BfndRow.h"
#include "common/readers/HLXContracts.h"
#include "packages/model/MatchMask.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <algorithm>
#include <utility>

namespace {

// Text ids of the status line.
constexpr int kNoVehicle = 3217;
constexpr int kNoContract = 3218;
constexpr int kCovered = 3219;
constexpr int kNotCovered = 3220;

// Findings of main group 87 are the inclusive-service findings themselves.
const QString kInclusiveServiceGroup = QStringLiteral("87");

} // namespace

CBfndContractCheck::CBfndContractCheck(const CPrgSettings *settings, CYaqDb *programmes,
                                       QString today)
    : m_pSettings(settings), m_pProgrammes(programmes), m_strToday(std::move(today))
{
}

const CBfndContractCheck::Programme &
CBfndContractCheck::ReadContractProgramme(const QString &contractNumber) const
{
    const QString number = WithoutTrailingBlanks(contractNumber);
    const auto known = m_programmes.find(number);
    if (known != m_programmes.end())
        return known->second;
    static const Programme none;
    if (!m_pProgrammes || !m_pSettings)
        return m_programmes[number];
    // A read that failed is kept by no one: the next question reads again.
    const int failures = m_pProgrammes->Failures();
    Programme programme;
    const auto kept = [&]() -> const Programme & {
        if (FailedSince(m_pProgrammes, failures))
            return none;
        return m_programmes[number] = std::move(programme);
    };
    CHLXNrData product;
    product.Init();
    product.m_strKatBstNr = m_pSettings->KatalogKey;
    product.m_strOptionNr = number;
    const bool found = m_pProgrammes->ReadHLXNrData(product);
    m_pProgrammes->CloseStmt();
    if (!found)
        return kept();
    product.TrimData();
    programme.listNumber = product.m_strListNr;
    programme.inclusion = product.m_strListModus;
    if (programme.listNumber.isEmpty())
        return kept();
    CHLXF12Data entry;
    entry.Init();
    entry.m_strKatBstNr = m_pSettings->KatalogKey;
    entry.m_strListNr = programme.listNumber;
    for (int ok = m_pProgrammes->ReadHLXF12Data(entry); ok; ok = m_pProgrammes->ReadNext()) {
        entry.TrimData();
        const QString from = HLXDateKey(entry.m_strGueltigVon);
        const QString to = HLXDateKey(entry.m_strGueltigBis);
        if (!from.isEmpty() && !to.isEmpty() && from <= m_strToday && m_strToday <= to)
            programme.masks.push_back(entry.m_strMaske);
    }
    m_pProgrammes->CloseStmt();
    return kept();
}

bool CBfndContractCheck::Covers(const Programme &programme, const QString &key) const
{
    const bool listed = std::any_of(programme.masks.begin(), programme.masks.end(),
                                    [&key](const QString &mask) { return MatchMask(mask, key); });
    return programme.inclusion == QLatin1String("1") ? listed : !listed;
}

void CBfndContractCheck::CheckFindingContract(CBfndRow &row) const
{
    if (!m_pSettings || m_pSettings->bKeinVertragText)
        return;
    row.ContractText.clear();
    const QString key =
        WithoutTrailingBlanks(row.Type == BFND_FINDING ? row.Number.left(8) : row.Keys());
    if (key.size() < 8)
        return;
    if (m_pSettings->FgstnrFull.size() != 17) {
        row.ContractText = OrmelText(kNoVehicle);
        return;
    }
    // A contract flag not yet checked (its catalogue was lost) says
    // nothing: no text rather than "no contract".
    if (m_pSettings->bVertragUngeprueft)
        return;
    if (!m_pSettings->nVertrag) {
        row.ContractText = OrmelText(kNoContract);
        return;
    }
    int tested = 0;
    for (const CHLXVertragInfo &contract : m_pSettings->HLXVertragList) {
        const Programme &programme = ReadContractProgramme(contract.strOptionNr);
        if (programme.listNumber.isEmpty() || programme.inclusion.isEmpty())
            continue;
        const bool covered = Covers(programme, key.left(8));
        if (tested++ > 0)
            row.ContractText += QStringLiteral("\n\n");
        row.ContractText +=
            OrmelTextArgs(covered ? kCovered : kNotCovered,
                          {WithoutTrailingBlanks(contract.strOptionNr), contract.strBezeichnung});
    }
}

bool CBfndContractCheck::IsFindingCovered(const QString &findingNumber) const
{
    if (!m_pSettings)
        return false;
    const QString key = findingNumber.left(8);
    if (key.startsWith(kInclusiveServiceGroup) && !m_pSettings->nVertrag)
        return false;
    for (const CHLXVertragInfo &contract : m_pSettings->HLXVertragList) {
        const Programme &programme = ReadContractProgramme(contract.strOptionNr);
        if (programme.listNumber.isEmpty() || programme.inclusion.isEmpty())
            continue;
        if (Covers(programme, key))
            return true;
    }
    return false;
}
