#pragma once
// The start and the end of the main window, without the window: which steps
// run after the window was placed and its pages created, in which order, and
// what the caller mode of the transfer system decides (open a page, answer
// the caller and close, or show the start page of the command line). The
// window carries the steps out through IStartWindow; the decisions are made
// here.

#include "platform/db/CatalogueFailure.h"

#include <QList>
#include <QString>

class CPrgSettings;

// The steps of the start as the window carries them out.
class IStartWindow
{
public:
    virtual ~IStartWindow() = default;
    // A database connection failed: shows the text and cancels the window.
    virtual void ShowOpenErrorAndCancel(const QString &text) = 0;
    // The catalogue date (and, in the training edition, its notice).
    virtual void ReadCatalogueDate() = 0;
    // No vehicle given: the model combos for no vehicle, the vehicle fields
    // reset and locked.
    virtual void ShowNoVehicle() = 0;
    // The VIN-completion dialog for a short VIN; true with the full VIN.
    virtual bool AskFullVin(const QString &shortVin, QString *fullVin) = 0;
    // Ends the window with the result once the start is over.
    virtual void EndDialog(int result) = 0;
    // Whether the window has begun to end (a failed session check, or the
    // window closed meanwhile): the start stops there.
    virtual bool HasEnded() const = 0;
    // The vehicle of the command line goes to the identification with the
    // first registration and mileage given with it, which stay its own.
    virtual void TakeStartVehicle(bool firstRegistrationGiven, bool mileageGiven) = 0;
    // Mode "qvledit": whether the package list of the vehicle holds the
    // package (its first seven characters); then the package-list page,
    // which is handed the package number.
    virtual CatalogueFound HasSrpPackage(const QString &packageNr7) = 0;
    virtual void ShowSRPWlPage(const QString &packageNr7) = 0;
    // Mode "qvlapossearch": whether the labour position exists; then the
    // number-search page.
    virtual CatalogueFound HasLabourPosition(const QString &apNr) = 0;
    virtual void ShowNrAbfragePage() = 0;
    // Mode "qvlaposquery": settles a pending vehicle change with the basket
    // and transfers the basket.
    virtual void TransferBasket() = 0;
    // Mode "qvlawtosrp": answers the caller's package request on the
    // clipboard; callerVin is the VIN the caller sent.
    virtual void RunPackageRequest(const QString &awToSrpList, const QString &callerVin) = 0;
    // Every other start: the start page of the command line (OnStartPage).
    virtual void ShowStartPage() = 0;
    // The VIN edit gets the focus and is the default control.
    virtual void FocusVin() = 0;
    // Whether a read of the catalogue failed in the start so far (the
    // catalogue date, the identification of the caller's vehicle).
    virtual bool StartReadFailed() const = 0;
    // A caller mode's start that could not read the catalogue: the reason
    // (empty: that of the failed read) goes to standard error, never into a
    // box a calling system that runs unattended would wait on, and the
    // window ends with kEndCatalogueUnread.
    virtual void EndCatalogueUnread(const QString &reason) = 0;
};

// The start arguments of the caller mode.
struct CStartArgs
{
    QString openError;   // a connection that failed to open
    QString paketNr;     // "qvledit": 13 characters
    QString apNr;        // "qvlapossearch", "qvlaposquery": 7 characters
    QString awToSrpList; // "qvlawtosrp": ";"-separated package numbers
    QString awToSrpVin;  // "qvlawtosrp": the VIN as the caller sent it
};

// The window's result when a caller-mode start ends it.
constexpr int kEndWithoutWork = 1000;
// The window's result when the caller's work could not be done because the
// catalogue could not be read: never taken for "not there" (the run ends
// with status 1).
constexpr int kEndCatalogueUnread = 1001;

class CStartFlow
{
public:
    // The steps of the start. The settings receive the completed VIN and
    // the AP number of "qvlaposquery".
    static void Run(IStartWindow &window, CPrgSettings &settings, const CStartArgs &args);

    // The pages of the start-page codes, compared exactly.
    enum StartPage
    {
        NoStartPage, // "SM", an unknown code or none
        AwKatPage,   // "AW"
        BfndPage,    // "BF"
        SRPWlPage,   // "SRP"
        WheelsTyres, // "RR": the browser page with the wheels and tyres
        HLXPage      // "HLX"
    };
    static StartPage StartPageOf(const QString &code);

    // The end of the window, in order.
    enum EndStep
    {
        FreeModelSeries,
        SavePlacement,
        EndSession,
        CloseDb0,
        CloseDb1,
        CloseDb2,
        CloseDb3
    };
    // dbOpen: which of db0 to db3 exist. The session ends only in a
    // session, with db0 and a known application server.
    static QList<EndStep> EndSteps(const CPrgSettings &settings, const QString &appServer,
                                   const bool dbOpen[4]);
};
