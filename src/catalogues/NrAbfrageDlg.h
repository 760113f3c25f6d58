#pragma once
// The number and text search page: labour positions and findings by
// number or by a word of their text. The search itself is not part of this
// version; the page says so.

#include "common/PageDlg.h"

class QLabel;
class QLineEdit;

class CNrAbfrageDlg : public CPageDlg
{
    Q_OBJECT
public:
    CNrAbfrageDlg();
    ~CNrAbfrageDlg() override;

    // The search field that takes the focus when the page is shown.
    QLineEdit *SearchField() const { return m_pSearch; }
    // "SR&P": disabled in a restricted session.
    COwnButton *SrpButton() const { return m_pSrp; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    void RefreshPage() override;

private:
    QLineEdit *m_pSearch = nullptr;
    COwnButton *m_pSrp = nullptr;
    QLabel *m_pNotice = nullptr;
};
