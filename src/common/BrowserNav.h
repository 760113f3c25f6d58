#pragma once
// The browser page without widgets: which document a mode shows (news of
// the brand, wheels and tyres, SA list, build state, dealer-individual
// parts, spot-repair information and content), how the adviser moves among
// the documents (history back and forward, the mode's document again) and
// where "<" and Escape lead.

#include <QString>
#include <QUrl>

#include <vector>

class CPrgSettings;

// The documents of the browser page.
enum BrowserMode : int
{
    kBrowserNews = 0,
    kBrowserWheelsTyres = 1,
    kBrowserSaList = 2,
    kBrowserBuildState = 3,
    kBrowserDealerParts = 4,
    kBrowserSpotRepairInfo = 5,
    kBrowserSpotRepairContent = 6,
};

// The news folder of a brand code ("VQ" and "VJ" share "VOQ"); empty for
// an unknown brand.
QString BrowserBrandFolder(const QString &brandCode);

// The dealer data folder of the spot-repair documents:
// DealerDataStorageORVA when the dealer takes part in the ORVA campaigns
// (MarketingCampaignsORVA), else DealerDataStorage.
QString BrowserDealerFolder(const CPrgSettings &settings);

// The table that names the spot-repair content folder of a vehicle
// ("SRP/SpotrContent.txt" in the data directory, UTF-8, tab-separated, the
// first line naming the columns EReihe, TypNr, ModellBez, Ordner). The first
// row of the vehicle's model series whose type number is empty or the
// vehicle's, and whose words of the model designation are all among the
// vehicle's (none: any), names the folder; a series without a row that
// fits keeps its own name. A table that cannot be read has no rows.
QString SpotRepairContentTablePath(const QString &dataDir);
struct CSpotRepairContentRow
{
    QString eReihe;
    QString typNr;
    QString modellBezWords;
    QString folder;
};
std::vector<CSpotRepairContentRow> ReadSpotRepairContentTable(const QString &path);
QString SpotRepairContentFolder(const CPrgSettings &settings,
                                const std::vector<CSpotRepairContentRow> &table);

// The address of the mode's document. In a session with an application
// server (serverBase not empty) modes 1 to 3 come from the server, without
// fallback. Otherwise the file of the program language, or, when that file
// does not exist, the fallback (language "01" or the "Default" content
// folder) without a further check. Empty for a mode outside 0 to 6.
QUrl BrowserDocument(const CPrgSettings &settings, int mode, const QString &language,
                     const QString &serverBase = QString());

// The documents the adviser has seen since the page was opened, and where
// "<" and Escape lead.
class CBrowserNav
{
public:
    // What Escape does: home without history, else as "<".
    enum class Escape
    {
        Home,
        Return,
        Nothing,
    };

    // The page is opened on the mode's document from the page returnPage
    // (a page id; 0: opened from nowhere "<" leads back to). The history
    // starts anew.
    void Open(int mode, const QUrl &document, int returnPage);
    // A link was followed: forward history is dropped.
    void Follow(const QUrl &url);
    // History back and forward; false (and nothing moves) at either end.
    bool Back();
    bool Forward();
    // The mode's document again, as a new step of the history.
    QUrl Home();

    int Mode() const { return m_nMode; }
    QUrl Current() const;
    bool CanGoBack() const { return m_nIndex > 0; }
    bool CanGoForward() const { return m_nIndex + 1 < int(m_history.size()); }
    // The home button is offered once back or forward became possible, and
    // no longer after it was used (or the page was opened anew).
    bool HomeOffered() const { return m_bHomeOffered; }

    // The page "<" leads back to; 0 for none.
    int ReturnPage() const { return m_nReturnPage; }
    // "<": the page to go back to, forgotten once used; 0 for none.
    int TakeReturnPage();
    Escape OnEscape() const;

private:
    void Moved(bool couldGoBack, bool couldGoForward);

    int m_nMode = 0;
    QUrl m_home;
    std::vector<QUrl> m_history;
    int m_nIndex = -1;
    bool m_bHomeOffered = false;
    int m_nReturnPage = 0;
};
