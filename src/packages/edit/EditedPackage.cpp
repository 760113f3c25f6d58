#include "packages/edit/EditedPackage.h"

#include <memory>

CEditedPackage::CEditedPackage() : m_selection(&m_paket)
{
}

void CEditedPackage::Clear()
{
    m_selection.Forget();
    m_pListLine = nullptr;
    m_pHead = nullptr;
    m_pCampaignLine = nullptr;
    m_pCampaignPackageLine = nullptr;
    m_paket.RemoveAll();
}

CPosition *CEditedPackage::Begin(const CPosition &listLine, const CPosition &head)
{
    Clear();
    m_paket.AddPosition(std::make_unique<CPosition>(listLine));
    m_paket.AddPosition(std::make_unique<CPosition>(head));
    FindReferences();
    return m_pHead;
}

void CEditedPackage::AddCampaignLines(const CPosition *campaignLine,
                                      const CPosition *campaignPackageLine)
{
    if (campaignLine)
        m_paket.AddPosition(std::make_unique<CPosition>(*campaignLine));
    if (campaignPackageLine)
        m_paket.AddPosition(std::make_unique<CPosition>(*campaignPackageLine));
    FindReferences();
}

void CEditedPackage::TakeFrom(const CPaket &stored)
{
    Clear();
    m_paket.CopyFrom(stored);
    FindReferences();
    m_selection.Fill();
}

void CEditedPackage::FindReferences()
{
    m_pListLine = m_paket.GetPosType1();
    m_pHead = m_paket.GetKopf();
    m_pCampaignLine = m_paket.GetPosType2();
    m_pCampaignPackageLine = m_paket.GetPosType4();
}
