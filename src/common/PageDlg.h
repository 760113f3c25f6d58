#pragma once
// Common ground of the pages of the main window. A page is a child widget
// that the main window makes and builds once from its row of the page table
// and then only hides and shows. It has a caption line with the "<" button
// that leads back to where the user came from (Escape does the same; the
// home page has neither), a body for the page's own controls, the change
// flags the main window sets, and a texts-changed flag for a language
// change. A page refreshes itself in RefreshPage when it is shown.

#include "common/ChangeFlags.h"

#include <QWidget>

#include <vector>

class CWkBasket;
class CPrgSettings;
class CYaqDb;
class COwnButton;
class IPageHost;
struct CPageRequest;
class QFrame;
class QLabel;
class QVBoxLayout;

class CPageDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CPageDlg(QWidget *parent = nullptr);
    ~CPageDlg() override;

    // Builds the page as child of `parent`: the caption line with the text
    // `captionId` (none for 0), then the page's own controls through
    // BuildPage. The page borrows the main window's database connections in
    // the order given and reports to `host` under its id. Runs once.
    void Create(CPrgSettings *settings, int templateId, int captionId,
                const std::vector<CYaqDb *> &connections, IPageHost *host, QWidget *parent);
    // True once the page's window and controls were built.
    bool IsCreated() const { return m_bCreated; }
    // The page's id in the main window (PageId).
    int TemplateId() const { return m_nTemplateId; }
    // The basket of the session, from the page host; null before the page
    // is created or for a host without one.
    CWkBasket *Basket() const;

    // Brings the page up to date before it is shown: the caption after a
    // language change, the change flags taken in (cleared), then the page's
    // own RefreshPage.
    void ActivatePage();
    // What a switch to the page (IPageHost::ShowPage) does once the page is
    // visible: ActivatePage. A page that comes back as it was left unless the
    // request activates it says so by its own version.
    virtual void ActivateOnShow(const CPageRequest &request);

    // Gives the keyboard to the page: to the control the page last put the
    // focus in, else to its first control that Tab reaches other than its
    // "<", else to its "<", else to the page itself.
    void TakeKeyboard();

    // The size the page host gives the page (kept for the page's layout code).
    void SetPageSize(int width, int height);
    QSize PageSize() const { return QSize(m_nPageWidth, m_nPageHeight); }

    CChangeFlags m_Changed;
    int m_bTextsChanged = 0;

    QString CaptionText() const;

protected:
    // A database connection of the page; null when the page has none at that place.
    CYaqDb *Db(int index) const;
    virtual void BuildPage(QVBoxLayout *body) = 0;
    // The home page has no caption line and no way back.
    virtual bool HasCaptionLine() const { return true; }
    // The page's own part of ActivatePage.
    virtual void RefreshPage() {}
    // The change flags this activation took in (RefreshPage reads them).
    const CChangeFlags &TakenChanges() const { return m_Taken; }
    // The "<" button and Escape: back where the user came from, else where
    // the page's "<" leads by itself (see the page table).
    virtual void OnBack();
    // The page the user came from, as far as "<" leads back there; 0 for none.
    int CameFrom() const;
    // "<" offered only when it leads back where the user came from.
    void OfferBackToOrigin();
    // Disables what the session forbids of the page, whatever the page
    // enabled before; the page host knows which controls those are.
    void ApplySessionLocks();

    void SetCaptionText(const QString &caption);
    COwnButton *BackButton() const { return m_pBackButton; }
    // An owner-drawn button of the page in the dialog colour.
    COwnButton *MakeButton(const QString &objectName, const QString &caption,
                           const QString &bitmap = QString());
    // The white working area of the page below its buttons.
    QFrame *AddWorkArea(QVBoxLayout *body);

    void keyPressEvent(QKeyEvent *event) override;

    CPrgSettings *m_pSettings = nullptr;
    IPageHost *m_pHost = nullptr;

private:
    std::vector<CYaqDb *> m_Db;
    bool m_bCreated = false;
    int m_nTemplateId = 0;
    int m_nCaptionId = 0;
    CChangeFlags m_Taken;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    QLabel *m_pCaption = nullptr;
    COwnButton *m_pBackButton = nullptr;
};
