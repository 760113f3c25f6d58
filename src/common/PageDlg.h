#pragma once
// Common ground of the pages of the main window. A page is a child widget
// that the main window creates once and then only hides and shows. It has
// a caption line with the "<" button that leads back to where the user came
// from (Escape does the same), a body for the page's own controls, the
// change flags the main window sets, and a texts-changed flag for a
// language change.

#include "common/ChangeFlags.h"

#include <QWidget>

#include <initializer_list>
#include <vector>

class CPrgSettings;
class CYaqDb;
class COwnButton;
class IPageHost;
class QFrame;
class QLabel;
class QVBoxLayout;

class CPageDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CPageDlg(QWidget *parent = nullptr);
    ~CPageDlg() override;

    // True once the page's window and controls were built.
    bool IsCreated() const { return m_bCreated; }
    int TemplateId() const { return m_nTemplateId; }

    // The size the page host gives the page (kept for the page's layout code).
    void SetPageSize(int width, int height);
    QSize PageSize() const { return QSize(m_nPageWidth, m_nPageHeight); }

    CChangeFlags m_Changed;
    int m_bTextsChanged = 0;

    QString CaptionText() const;

protected:
    // Builds the page as child of `parent`: the caption line, then the
    // page's own controls through BuildPage. Runs once.
    void CreatePage(CPrgSettings *settings, int templateId, IPageHost *host, QWidget *parent);
    // The same for a page that reads the catalogue: it keeps the database
    // connections of the main window (borrowed) in the order given.
    void CreatePage(CPrgSettings *settings, int templateId,
                    std::initializer_list<CYaqDb *> connections, IPageHost *host, QWidget *parent);
    // A database connection of the page; null when the page has none at that place.
    CYaqDb *Db(int index) const;
    virtual void BuildPage(QVBoxLayout *body) = 0;
    // The "<" button and Escape; by default the way leads home.
    virtual void OnBack();

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
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    QLabel *m_pCaption = nullptr;
    COwnButton *m_pBackButton = nullptr;
};
