#pragma once
// Loads a service package (kinds SRP, GRP, SIP, VLP) line by line from the
// catalogue database into the edited package: one work line per labour
// position that applies to the vehicle, one part line per part valid for
// its production date, the "OPTIONAL" and "OPTIONALE PAKETE" group lines,
// and, where an optional labour position is itself a package of the
// loaded kind, a sub-package line (type 17, kind "OP") that owns the
// sub-package, loaded by the same rules.
//
// Fields of the lines (CPosition): Number, Kind, AwPosRef (work line's
// reference number), PosLfdNr and PosLfdNrRef (part position and the one
// an alternative part stands for), VonBaustand/BisBaustand (part
// validity), Quantity, R/U/M, Az, IsLeadLabour, Selected; PaketID the
// package key and PaketTexts[kSuffix] the number suffix, copied into every
// line; PaketArt the kind text of a head; PaketTexts[kSrpNumber..kVlpNumber]
// the keys of the package number's four kinds on a chosen head; HG and
// HGText the main group and its text on a list line; Text the notice shown
// with a line; BefundText the text of a group line; TeileText a part's text.
//
// Connections: the page's own three (borrowed) serve the labour values,
// the part texts and the position texts; two more of the loader's own
// serve the lines and the sub-package look-up, and every level of
// sub-packages reuses them: each result set is read whole before a
// sub-package is loaded, so no walk is open while another one runs. A page
// keeps those two from load to load (CPackageLoadOwnConnections), so that
// opening a package neither opens connections nor prepares its reads again.

#include "packages/model/PackageVehicleKeys.h"
#include "platform/db/CatalogueFailure.h"

#include <QSet>
#include <QString>

#include <functional>
#include <memory>

class CAPosTxtAPosKTxtData;
class CCatalogueCache;
class CPaket;
class CPosition;
class CPrgSettings;
class CYaqDb;
class IPaketNotice;

// Places in CPosition::PaketTexts.
enum PaketTextIndex
{
    kSuffix = 0,
    kSrpNumber = 1,
    kGrpNumber = 2,
    kSipNumber = 3,
    kVlpNumber = 4,
};

// The kind chosen with the kind buttons.
enum PackageKindIndex
{
    kKindSR = 0,
    kKindGR = 1,
    kKindSP = 2,
    kKindVL = 3,
};

// The four text and four bracket lines of a labour position, as read.
void TakePositionTexts(CPosition &line, CAPosTxtAPosKTxtData &rec);

// The kind of a package head by its kind text ("SRP" or none: SR).
int HeadKindOf(const CPosition &head);
// The head of another kind of the same package number, as the package list
// would hand it over: the kind's own number becomes the package key and
// the key of the head's present kind moves into that kind's number field,
// whichever kind the head had (a package of the basket opened again keeps
// the kind it was stored in). The package number stays. Nothing changes
// when the package has no number of that kind; answers whether the head is
// of the kind now.
bool TurnHeadToKind(CPosition &head, int kind);

// The vehicle and dealer as the loader needs them.
struct CPackageLoadVehicle : CPackageVehicleKeys
{
    QString leadType;  // key of the labour values
    QString extraCode; // additional code of the identification

    // The fields the settings hold; production date and language come
    // from the caller.
    static CPackageLoadVehicle FromSettings(const CPrgSettings &settings);
};

// What the loader asks of the labour-value catalogue: whether a labour
// position applies to the vehicle. The program answers from its cached
// catalogue readers (CCatalogueLoadReads); tests from a table.
class IPackageLoadReads
{
public:
    virtual ~IPackageLoadReads() = default;
    // A load begins: what was read for the load before is read anew; a
    // load ended: what it read may go.
    virtual void LoadStarts() {}
    virtual void LoadEnds() {}
    // The catalogue column of the vehicle's model; -1 when none. A column
    // that could not be read says so: the load then fails.
    virtual CatalogueAnswer<int> CatalogueColumn() = 0;
    virtual bool PositionApplies(const QString &number, int column) = 0;
};

// The cached catalogue readers of the program (CCatalogueCache). On the
// local catalogue file, where the program's cache asks the file position
// by position, a load reads the values and catalogue lines of each main
// group its lines lie in once, into a cache of its own for that load.
class CCatalogueLoadReads : public IPackageLoadReads
{
public:
    // db: the connection of the validity reads (borrowed).
    CCatalogueLoadReads(CPrgSettings *settings, CYaqDb *db,
                        std::function<bool(const QString &)> isMappedCode = {});
    ~CCatalogueLoadReads() override;
    void LoadStarts() override;
    void LoadEnds() override;
    CatalogueAnswer<int> CatalogueColumn() override;
    bool PositionApplies(const QString &number, int column) override;

private:
    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
    std::function<bool(const QString &)> m_isMappedCode;
    std::unique_ptr<CCatalogueCache> m_pLoadCache; // the load's own, on the local file
};

// The loader's two connections of its own: the package's lines and the
// sub-package look-up. Opened by the first load that finds them missing;
// one whose read failed is dropped after its load, so that the next load
// opens it anew.
struct CPackageLoadOwnConnections
{
    std::unique_ptr<CYaqDb> lines;
    std::unique_ptr<CYaqDb> lookup;
};

struct CPackageLoadConnections
{
    CYaqDb *values = nullptr;    // labour values (the page's first)
    CYaqDb *catalogue = nullptr; // part texts (the page's second)
    CYaqDb *texts = nullptr;     // position and main-group texts (the page's fourth)
    // A further connection with the application's parameters; null when
    // it cannot be opened.
    std::function<std::unique_ptr<CYaqDb>()> open;
    // The loader's own connections kept by the caller from load to load
    // (borrowed); null: the loader opens them for each load and closes
    // them after it.
    CPackageLoadOwnConnections *kept = nullptr;
};

class CPackageLoader
{
public:
    // The notice tells the adviser that a load could not start (the
    // catalogue's failure); none: nobody.
    CPackageLoader(CPackageLoadConnections connections, IPackageLoadReads *reads,
                   CPackageLoadVehicle vehicle, IPaketNotice *notice);
    ~CPackageLoader();

    enum class Result
    {
        Loaded,
        AlreadyLoaded, // the package held lines already: nothing was read
        NoConnection,  // a connection of the loader could not be opened (told)
        Failed,        // a read of the catalogue failed: the package is not whole
    };
    // Loads the package of the chosen head into paket, which holds the list
    // line and the head only (both copied in by the caller). The head turns
    // into the head of the chosen kind when the package number has one
    // (TurnHeadToKind). Display states are set; the page fills its lists.
    Result Load(CPaket &paket, CPosition *head, int kind);

    // Connections the loader opened over its life (two per load, none for
    // a load that found them kept).
    int ConnectionsOpened() const { return m_nOpened; }

    // The type number whose packages carry the rear-spring notice on the
    // spring positions.
    static const QString kRearSpringTypeNumber;

private:
    struct Level;
    void LoadLevel(CPaket &target, const Level &level);
    bool LoadSubPackage(CPosition &line, const Level &level);
    void ReadPositionTexts(CPosition &line) const;
    void ReadLabourValues(CPosition &line) const;
    QString MainGroupText(const QString &mainGroup) const;

    CPackageLoadConnections m_db;
    IPackageLoadReads *m_pReads;
    CPackageLoadVehicle m_vehicle;
    IPaketNotice *m_pNotice;
    CPackageLoadOwnConnections m_own; // when the caller keeps none
    CYaqDb *m_pLines = nullptr;       // the package's lines and parts
    CYaqDb *m_pLookup = nullptr;      // sub-package look-up
    int m_nColumn = -1;
    int m_nKind = kKindSR;
    int m_nOpened = 0;
};
