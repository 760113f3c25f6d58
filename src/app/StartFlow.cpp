#include "app/StartFlow.h"

#include "settings/PrgSettings.h"

namespace {

// The caller's package number, "qvledit": the package is its first seven
// characters, the type key the four from the ninth on.
void StartPackageEdit(IStartWindow &window, const CPrgSettings &s, const QString &paketNr)
{
    const QString packageNr7 = paketNr.left(7);
    const QString typeKey = paketNr.mid(8, 4);
    if (s.Fgstnr.isEmpty() || typeKey.isEmpty() || typeKey != s.TypSchl) {
        window.EndDialog(kEndWithoutWork);
        return;
    }
    switch (window.HasSrpPackage(packageNr7)) {
    case CatalogueFound::Yes:
        window.ShowSRPWlPage(packageNr7);
        break;
    case CatalogueFound::No:
        window.EndDialog(kEndWithoutWork);
        break;
    case CatalogueFound::Failed:
        window.EndCatalogueUnread(QString());
        break;
    }
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
        const CatalogueFound found = args.apNr.isEmpty() || s.Fgstnr.isEmpty()
                                         ? CatalogueFound::No
                                         : window.HasLabourPosition(args.apNr);
        if (found == CatalogueFound::Yes)
            window.ShowNrAbfragePage();
        else if (found == CatalogueFound::Failed)
            window.EndCatalogueUnread(QString());
        else
            window.EndDialog(kEndWithoutWork);
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
    // The modes that work on the caller's vehicle have a window, but the
    // calling system may run them unattended.
    const bool callerWork = s.bQvlEdit || s.bQvlAPosSearch || s.bQvlAPosQuery;
    if (!args.openError.isEmpty() && (s.bQvl || callerWork)) {
        window.EndCatalogueUnread(args.openError);
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
    // A vehicle or catalogue date that could not be read is never taken for
    // a vehicle without the caller's package or position.
    if (callerWork && window.StartReadFailed()) {
        window.EndCatalogueUnread(QString());
        return;
    }

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
