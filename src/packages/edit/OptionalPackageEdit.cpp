#include "packages/edit/OptionalPackageEdit.h"

#include "packages/model/Paket.h"

namespace {

const QLatin1String kFixed("1");

} // namespace

COptionalPackageEdit::COptionalPackageEdit(CPaket *whole, CPosition *line)
    : m_pWhole(whole), m_pLine(line), m_pSub(line ? line->SubPackage.get() : nullptr),
      m_selection(m_pSub)
{
    m_selection.SetFixedCheck(&COptionalPackageEdit::IsFixedLine);
}

bool COptionalPackageEdit::IsFixedSubPackage(const CPosition &line)
{
    return line.Type == POS_SUBPACKAGE && line.Campaign[CPosition::CampaignSubOpenable] == kFixed;
}

bool COptionalPackageEdit::IsFixedLine(const CPosition &line)
{
    if (line.Type == POS_SUBPACKAGE)
        return IsFixedSubPackage(line);
    return (line.Type == POS_WORK || line.Type == POS_PART) && line.CampaignStatus() == kFixed;
}

bool COptionalPackageEdit::CanDecline() const
{
    return !(m_pLine && IsFixedSubPackage(*m_pLine));
}

COptionalPackageEdit::DoubleClickResult COptionalPackageEdit::DoubleClick(CPosition *line)
{
    DoubleClickResult result;
    // Without both heads nothing is priced or sent: the lines stay as they are.
    if (!line || !m_pWhole || !m_pSub || !m_pWhole->GetKopf() || !m_pSub->GetKopf())
        return result;
    const CPackageSelection::DoubleClickResult chosen = m_selection.DoubleClick(line);
    if (chosen.openSubPackage)
        result.openSubPackage = line;
    result.choiceChanged = chosen.choiceChanged;
    if (result.choiceChanged)
        ForgetManualPrice();
    return result;
}

bool COptionalPackageEdit::NestedEnded(CPosition *nestedLine, int result)
{
    const bool changed = m_selection.SubPackageDialogEnded(nestedLine, result);
    if (changed)
        ForgetManualPrice();
    return changed;
}

void COptionalPackageEdit::ForgetManualPrice()
{
    // A price set by hand was the price of the former choice.
    if (CPosition *head = m_pWhole ? m_pWhole->GetKopf() : nullptr)
        head->PriceCalcFlag = 0;
}
