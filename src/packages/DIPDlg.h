#pragma once
// The dealer-individual parts page, opened over the package list.

#include "common/PageDlg.h"

class CDIPDlg : public CPageDlg
{
    Q_OBJECT
public:
    CDIPDlg();
    ~CDIPDlg() override;

protected:
    void BuildPage(QVBoxLayout *body) override;
};
