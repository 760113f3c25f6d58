#pragma once
// The dealer-individual parts page, opened from the package list.

#include "common/PageDlg.h"

class CDIPDlg : public CPageDlg
{
    Q_OBJECT
public:
    CDIPDlg();
    ~CDIPDlg() override;

    bool Create(CPrgSettings *settings, int templateId, IPageHost *host, QWidget *parent);
    void ActivatePage();

protected:
    void BuildPage(QVBoxLayout *body) override;
    void OnBack() override;
};
