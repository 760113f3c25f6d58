#pragma once
// The findings page: the catalogue of finding numbers with the labour
// positions they imply.

#include "common/PageDlg.h"

class CYaqDb;

class CBfndDlg : public CPageDlg
{
    Q_OBJECT
public:
    CBfndDlg();
    ~CBfndDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                CYaqDb *db3, IPageHost *host, QWidget *parent);

    // 1 when the page is opened, 0 after a change of the mileage.
    void ActivatePage(int reload);

    // Set when the page was opened from elsewhere than home; cleared when
    // the home page is shown.
    int m_bBackMark = 0;

protected:
    void BuildPage(QVBoxLayout *body) override;

private:
};
