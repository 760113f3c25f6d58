#pragma once
// The inclusive-service contract page: the vehicle's contracts.

#include "common/PageDlg.h"

class CYaqDb;

class CHLXDlg : public CPageDlg
{
    Q_OBJECT
public:
    CHLXDlg();
    ~CHLXDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, IPageHost *host,
                QWidget *parent);

    void ActivatePage();
    // The caption follows the brand's contract button.
    void SetPageCaption(const QString &caption) { SetCaptionText(caption); }

    // Where "<" leads back to.
    int m_bFromAwKat = 0;
    int m_bFromSRP = 0;

protected:
    void BuildPage(QVBoxLayout *body) override;
    void OnBack() override;

private:
};
