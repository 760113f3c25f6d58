#pragma once
// The inclusive-service contract page: the vehicle's contracts.

#include "common/PageDlg.h"

class CHLXDlg : public CPageDlg
{
    Q_OBJECT
public:
    CHLXDlg();
    ~CHLXDlg() override;

    // The caption follows the brand's contract button.
    void SetPageCaption(const QString &caption) { SetCaptionText(caption); }

protected:
    void BuildPage(QVBoxLayout *body) override;
};
