#include "basket/print/BasketPrinter.h"

#include "basket/print/WkDruckDlg.h"
#include "common/EasyPrintDlg.h"
#include "settings/PrgSettings.h"

CBasketPrinter::CBasketPrinter(CPrgSettings *settings, QWidget *parent)
    : m_pSettings(settings), m_pParent(parent), m_printOut(nullptr, CBasketPrintData()),
      m_pEngine(std::make_unique<CEasyPrintDlg>(&m_printOut, parent))
{
    m_pEngine->SetDocName(QStringLiteral("YAQ2"));
    if (settings && !settings->LocalFolder.isEmpty())
        m_pEngine->SetPdfFolder(settings->LocalFolder);
}

CBasketPrinter::~CBasketPrinter() = default;

CBasketPrintData CBasketPrinter::PrintData(const CBasketHeadFields &head, const QString &date) const
{
    CBasketPrintData data = CBasketPrintData::FromSettings(*m_pSettings);
    data.date = date;
    data.plate = head.plate;
    data.mileage = head.mileage.isEmpty() ? data.mileage : head.mileage;
    data.orderNumber = head.orderNumber;
    return data;
}

void CBasketPrinter::Run(const CWKList &list, const CBasketHeadFields &head)
{
    if (!m_pSettings)
        return;
    m_printOut.SetList(&list);
    QString date = head.date;
    for (;;) {
        CWkDruckDlg dialog(m_pSettings, date, m_pParent);
        dialog.SetHelp(m_help);
        const int result = dialog.exec();
        if (result != WKDRUCK_PRINT && result != WKDRUCK_PDF)
            break;
        date = dialog.Date();
        m_printOut.SetData(PrintData(head, date));
        if (result == WKDRUCK_PDF) {
            m_pEngine->Print(true);
            continue;
        }
        if (m_pSettings->Preview)
            m_pEngine->DoModal();
        else
            m_pEngine->Print(false);
        break;
    }
    m_printOut.SetList(nullptr);
}
