#include "app/StartWindow.h"

#include "app/DmsExchange.h"
#include "app/HeadRowCatalogue.h"
#include "app/IdentFlow.h"
#include "app/SelVin7TypschlDlg.h"
#include "app/Yaq2Dlg.h"
#include "basket/model/WkBasket.h"
#include "basket/request/PaketAnfrage.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

void CStartWindow::ShowOpenErrorAndCancel(const QString &text)
{
    if (!m_dlg.isVisible())
        m_dlg.show();
    OwnMsgBox(text, &m_dlg, m_pieces.settings->DlgTitel);
    m_dlg.EndDialogAtOnce(QDialog::Rejected);
}

void CStartWindow::ReadCatalogueDate()
{
    if (!m_dlg.Db(0))
        return;
    CPrgSettings &s = *m_pieces.settings;
    // A date that could not be read leaves the one the settings hold, never
    // none; the start goes on, and its first read of the vehicle tells the
    // lost server.
    const CatalogueAnswer<QString> read = m_dlg.HeadRow().CatalogueDate();
    const QString date = read.failed ? s.KatDatum : read.value;
    if (!s.bSchulung) {
        if (!date.isEmpty())
            s.KatDatum = date;
        return;
    }
    const QString notice =
        QStringLiteral(
            "Dieses Programm ist das Trainings-Programm YAQ2/Pakete auf Basis der YAQ2 Ausgabe %1. "
            "Eventuelle Abweichungen zu dem aktuell von Ihnen verwendeten System basieren auf "
            "zwischenzeitlichen Weiterentwicklungen von YAQ2/Pakete.\n\nThis program is the "
            "YAQ2/Packages training program based on the YAQ2 Version %1. Any discrepancies to the "
            "edition you actually use result from the latest improvements on YAQ2/Packages.")
            .arg(date);
    OwnMsgBox(notice, nullptr, s.DlgTitel);
}

// Timer 3 fetches the DMS's requests once the start vehicle is shown.
void CStartWindow::ShowNoVehicle()
{
    m_pieces.ident.ResetVehicleFields(false, true);
    m_pieces.dms.StartPolling();
}

bool CStartWindow::AskFullVin(const QString &shortVin, QString *fullVin)
{
    CSelVin7TypschlDlg complete(shortVin, &m_dlg);
    if (complete.DoModal() != IDOK)
        return false;
    *fullVin = complete.GetVin();
    return true;
}

void CStartWindow::EndDialog(int result)
{
    m_dlg.EndDialog(result);
}

bool CStartWindow::HasEnded() const
{
    return m_dlg.IsEnded();
}

void CStartWindow::TakeStartVehicle(bool firstRegistrationGiven, bool mileageGiven)
{
    const CPrgSettings &s = *m_pieces.settings;
    CGivenVehicle start;
    start.origin = CGivenVehicle::Start;
    start.vin = s.Fgstnr;
    if (firstRegistrationGiven)
        start.firstRegistration = s.Erstzulassung;
    if (mileageGiven)
        start.mileage = s.Kilometer;
    m_pieces.ident.Identify(start);
    m_pieces.dms.StartPolling();
}

CatalogueFound CStartWindow::HasSrpPackage(const QString &packageNr7)
{
    return m_dlg.HeadRow().HasPackage(packageNr7);
}

void CStartWindow::ShowSRPWlPage(const QString &packageNr7)
{
    m_dlg.ShowPackageOfCaller(packageNr7);
}

CatalogueFound CStartWindow::HasLabourPosition(const QString &apNr)
{
    return m_dlg.HeadRow().HasLabourPosition(apNr);
}

void CStartWindow::ShowNrAbfragePage()
{
    m_dlg.ShowNrAbfragePage(true, false);
}

// A pending vehicle change is settled with the basket first; the basket then
// goes to the dealer system.
void CStartWindow::TransferBasket()
{
    CWkBasket *basket = m_dlg.Basket();
    basket->SettleVehicleChange();
    basket->Transfer();
}

// The caller's package request answers on the clipboard, without a window.
void CStartWindow::RunPackageRequest(const QString &packageRequest, const QString &callerVin)
{
    const CYaq2Dlg &dlg = m_dlg;
    CPaketAnfrage request(
        m_pieces.settings, callerVin, m_dlg.Db(0), m_dlg.Db(1),
        [&dlg]() -> std::unique_ptr<CYaqDb> {
            auto db = std::make_unique<CYaqDb>();
            if (!dlg.OpenConnection(*db))
                return nullptr;
            return db;
        },
        packageRequest);
    // The window's connections were opened at this start: a read of them
    // that failed (the identification of the caller's vehicle) leaves the
    // vehicle unknown, not absent.
    if (!m_dlg.Db(0) || !m_dlg.Db(1) || m_dlg.Db(0)->Failures() || m_dlg.Db(1)->Failures())
        request.SetCatalogueUnavailable();
    request.Run();
}

void CStartWindow::ShowStartPage()
{
    m_dlg.OnStartPage();
}

void CStartWindow::FocusVin()
{
    m_dlg.SetFocusToVin();
}

bool CStartWindow::StartReadFailed() const
{
    for (int i = 0; i < 4; ++i) {
        if (!m_dlg.Db(i) || m_dlg.Db(i)->Failures())
            return true;
    }
    return false;
}

// The caller's package or position that could not be looked up is told, so
// that the caller is never left to take it for one the catalogue lacks: on
// standard error, as the caller may be a program that runs unattended.
void CStartWindow::EndCatalogueUnread(const QString &reason)
{
    const bool windowless = IsMsgBoxWindowless();
    SetMsgBoxWindowless(true);
    if (!reason.isEmpty())
        OwnMsgBox(reason, &m_dlg, m_pieces.settings->DlgTitel);
    else
        CatalogueFailure::Tell(&m_dlg, kMsgBoxTitle, MSG_ALIGN_LEFT);
    SetMsgBoxWindowless(windowless);
    EndDialog(kEndCatalogueUnread);
}
