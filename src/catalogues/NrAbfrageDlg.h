#pragma once
// The number and text search page: labour positions and findings by
// number or by a word of their text.

#include "common/PageDlg.h"

class CYaqDb;
class QLineEdit;

class CNrAbfrageDlg : public CPageDlg
{
    Q_OBJECT
public:
    CNrAbfrageDlg();
    ~CNrAbfrageDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                CYaqDb *db3, IPageHost *host, QWidget *parent);

    void ActivatePage();

    // Set when the page was opened from the home page.
    int m_bFromHome = 0;

    // The search field that takes the focus when the page is shown.
    QLineEdit *SearchField() const { return m_pSearch; }
    // "SR&P": disabled in a restricted session.
    COwnButton *SrpButton() const { return m_pSrp; }

protected:
    void BuildPage(QVBoxLayout *body) override;

private:
    QLineEdit *m_pSearch = nullptr;
    COwnButton *m_pSrp = nullptr;
};
