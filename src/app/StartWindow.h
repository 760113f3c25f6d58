#pragma once
// The steps of the start flow (CStartFlow) carried out on the main window:
// its identification, its catalogue and its pages.

#include "app/StartFlow.h"

class CDmsExchange;
class CIdentFlow;
class CPrgSettings;
class CYaq2Dlg;

// The pieces of the window the start works on.
struct CStartPieces
{
    CPrgSettings *settings;
    CIdentFlow &ident;
    CDmsExchange &dms;
};

class CStartWindow : public IStartWindow
{
public:
    CStartWindow(CYaq2Dlg &dlg, const CStartPieces &pieces) : m_dlg(dlg), m_pieces(pieces) {}

    void ShowOpenErrorAndCancel(const QString &text) override;
    void ReadCatalogueDate() override;
    void ShowNoVehicle() override;
    bool AskFullVin(const QString &shortVin, QString *fullVin) override;
    void EndDialog(int result) override;
    bool HasEnded() const override;
    void TakeStartVehicle(bool firstRegistrationGiven, bool mileageGiven) override;
    CatalogueFound HasSrpPackage(const QString &packageNr7) override;
    void ShowSRPWlPage(const QString &packageNr7) override;
    CatalogueFound HasLabourPosition(const QString &apNr) override;
    void ShowNrAbfragePage() override;
    void TransferBasket() override;
    void RunPackageRequest(const QString &packageRequest, const QString &callerVin) override;
    void ShowStartPage() override;
    void FocusVin() override;
    bool StartReadFailed() const override;
    void EndCatalogueUnread(const QString &reason) override;

private:
    CYaq2Dlg &m_dlg;
    CStartPieces m_pieces;
};
