#include "packages/PackagePriceAsk.h"

#include "common/TextDlg.h"
#include "packages/model/Position.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

CPackagePriceAsk::CPackagePriceAsk(QWidget *owner)
    : m_pOwner(owner), m_dmsNotice(owner, MSG_ALIGN_NOTICE)
{
}

void CPackagePriceAsk::Ask(const CPrgSettings &settings, CPosition *head, const Roads &roads)
{
    switch (settings.SRPInterfaceReq) {
    case kRequestLocalFiles:
        if (roads.localFiles)
            roads.localFiles();
        break;
    case kRequestDms:
        if (roads.dms)
            roads.dms(&m_dmsNotice);
        break;
    default: {
        CTextDlg info(m_pOwner);
        info.DoModalText(settings.DataDir + QStringLiteral("/SRP/InfoPr"), GetPrgSprache(),
                         QStringLiteral(".dat"));
        break;
    }
    }
    if (head)
        head->PriceCalcFlag = 0;
}
