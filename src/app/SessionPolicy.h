#pragma once
// What the session allows, without a window: which controls a session locks
// (every session, or only one that reaches just the external service) and
// which head buttons follow the head row's enabling. Which control of which
// page an id names, and what the head row allows on each page, say the
// pages' rows of the page table. The main window asks and applies the
// answers to its widgets.

#include <QList>

class CPrgSettings;
class CYaqDb;
class QString;

// Ids of the head controls.
enum HeadControlId
{
    kBtnBack = 1000,      // "<": closes the program
    kBtnBasket = 1008,    // "&Zwischenablage"
    kBtnHelp = 1024,      // "?"
    kBtnSearch = 1025,    // "&Suchen"
    kBtnHelpIndex = 1026, // "@"
    kBtnYaqDownload = 1306,
    kBtnTwoWheeler = 1307,
    kBtnDmsDownload = 1308,
    kBtnTitle = 1354,
    kBtnSetup = 1373, // "&Einstellungen"
    kBtnContract = 1507,
    kBtnDmsVin = 1509,
};

// The buttons of the pages that a session locks: the exchange with the
// dealer system and the ways into the service packages.
enum PageControlId
{
    kCtlAwKatPrice = 2000,
    kCtlAwKatPackages,
    kCtlSRPBbDmsRequest,
    kCtlSRPBbTransfer,
    kCtlSpotRBbDmsRequest,
    kCtlSpotRBbTransfer,
    kCtlWkTransfer,
    kCtlWkPackages,
    kCtlHomePackages,
    kCtlHomeNews,
    kCtlNrAbfragePackages,
};

// Whether the head-row fields can be edited while a page is visible (the
// page's row of the page table).
struct HeadRowState
{
    bool vinEditable = true;
    bool typeKeyEditable = true;
    bool combosEnabled = true;
    bool firstRegistrationEditable = true;
    bool mileageEditable = true;

    bool operator==(const HeadRowState &o) const
    {
        return vinEditable == o.vinEditable && typeKeyEditable == o.typeKeyEditable &&
               combosEnabled == o.combosEnabled &&
               firstRegistrationEditable == o.firstRegistrationEditable &&
               mileageEditable == o.mileageEditable;
    }
};

class CSessionPolicy
{
public:
    // session: the program runs in a session of the application server;
    // restricted: that session reaches only the external service.
    CSessionPolicy(bool session, bool restricted);
    // The session state the settings hold.
    static CSessionPolicy Of(const CPrgSettings &settings);

    // Whether the session state locks the control (a head or page control id).
    bool Forbids(int controlId) const;
    // Every control the session state locks, head buttons first.
    QList<int> Forbidden() const;

    // The head buttons that are enabled and disabled with the head row.
    static QList<int> HeadRowButtons();

private:
    bool m_bSession;
    bool m_bRestricted;
};

// Asks the application server over the connection whether the session is
// valid; unknown without a connection or a session id.
int CheckSessionOn(CYaqDb *db, const QString &sessionId);
