#pragma once
// The findings page: the catalogue of finding numbers with the labour
// positions they imply.

#include "common/PageDlg.h"

class CBfndDlg : public CPageDlg
{
    Q_OBJECT
public:
    CBfndDlg();
    ~CBfndDlg() override;

    // 1 when the page is opened; 0 after a change of the mileage, which
    // takes in the changes but leaves the texts.
    using CPageDlg::ActivatePage;
    void ActivatePage(int reload);

protected:
    void BuildPage(QVBoxLayout *body) override;
};
