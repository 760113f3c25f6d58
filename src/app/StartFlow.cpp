#include "app/StartFlow.h"

#include "settings/PrgSettings.h"

namespace {

// The caller's package number, "qvledit": the package is its first seven
// characters, the type key the four from the ninth on.
void StartPackageEdit(IStartWindow &window, const CPrgSettings &s, const QString &paketNr)
{
    const QString packageNr7 = paketNr.left(7);
    const QString typeKey = paketNr.mid(8, 4);
    if (!s.Fgstnr.isEmpty() && !typeKey.isEmpty() && typeKey == s.TypSchl &&
        window.HasSrpPackage(packageNr7) == CatalogueFound::Yes)
        window.ShowSRPWlPage(packageNr7);
    else
        window.EndDialog(kEndWithoutWork);
}

// The caller modes decide the start; the first one set counts.
void Dispatch(IStartWindow &window, CPrgSettings &s, const CStartArgs &args)
{
    if (s.bQvlEdit) {
        if (args.paketNr.isEmpty())
            window.EndDialog(kEndWithoutWork);
        else
            StartPackageEdit(window, s, args.paketNr);
    } else if (s.bQvlAPosSearch) {
        if (args.apNr.isEmpty() || s.Fgstnr.isEmpty() ||
            window.HasLabourPosition(args.apNr) != CatalogueFound::Yes)
            window.EndDialog(kEndWithoutWork);
        else
            window.ShowNrAbfragePage();
    } else if (s.bQvlAPosQuery) {
        if (args.apNr.isEmpty()) {
            window.EndDialog(kEndWithoutWork);
            return;
        }
        s.AktApNr = args.apNr;
        if (s.Fgstnr.isEmpty())
            window.EndDialog(kEndWithoutWork);
        else
            window.TransferBasket();
    } else if (s.bQvlAwToSrp) {
        // Also a request without numbers is answered: the caller reads its
        // error code.
        window.RunPackageRequest(args.awToSrpList, args.awToSrpVin);
        window.EndDialog(kEndWithoutWork);
    } else {
        window.ShowStartPage();
    }
}

} // namespace

void CStartFlow::Run(IStartWindow &window, CPrgSettings &settings, const CStartArgs &args)
{
    CPrgSettings &s = settings;
    if (!args.openError.isEmpty() && s.bQvlAwToSrp) {
        // The caller's package request shows no window and no message: it
        // is answered with the error code on the clipboard.
        window.RunPackageRequest(args.awToSrpList, args.awToSrpVin);
        window.EndDialog(kEndWithoutWork);
        return;
    }
    if (!args.openError.isEmpty()) {
        window.ShowOpenErrorAndCancel(args.openError);
        window.FocusVin();
        return;
    }
    window.ReadCatalogueDate();

    if (s.Fgstnr.isEmpty()) {
        window.ShowNoVehicle();
    } else {
        // The callers that work on one vehicle need its full VIN.
        if (s.Fgstnr.size() == 7 && (s.bQvl || s.bQvlEdit || s.bQvlAPosSearch || s.bQvlAPosQuery)) {
            QString fullVin;
            if (!window.AskFullVin(s.Fgstnr, &fullVin)) {
                // Without the vehicle the caller's work is not done at all.
                window.EndDialog(kEndWithoutWork);
                return;
            }
            s.Fgstnr = fullVin;
        }
        window.TakeStartVehicle(!s.Erstzulassung.isEmpty(), !s.Kilometer.isEmpty());
    }
    // The vehicle's session check failed: the session is over, and with it
    // the caller's work and the start page.
    if (window.HasEnded())
        return;

    Dispatch(window, s, args);
    window.FocusVin();
}

CStartFlow::StartPage CStartFlow::StartPageOf(const QString &code)
{
    if (code == QLatin1String("AW"))
        return AwKatPage;
    if (code == QLatin1String("BF"))
        return BfndPage;
    if (code == QLatin1String("SRP"))
        return SRPWlPage;
    if (code == QLatin1String("RR"))
        return WheelsTyres;
    if (code == QLatin1String("HLX"))
        return HLXPage;
    return NoStartPage;
}

QList<CStartFlow::EndStep> CStartFlow::EndSteps(const CPrgSettings &settings,
                                                const QString &appServer, const bool dbOpen[4])
{
    QList<EndStep> steps{FreeModelSeries, SavePlacement};
    if (settings.bSession && dbOpen[0] && !appServer.isEmpty())
        steps << EndSession;
    const EndStep close[4] = {CloseDb0, CloseDb1, CloseDb2, CloseDb3};
    for (int i = 0; i < 4; ++i) {
        if (dbOpen[i])
            steps << close[i];
    }
    return steps;
}
