#pragma once
// The download page: export of the offline data files for dealers.

#include "common/PageDlg.h"

class CYaqDb;
class QLineEdit;

class CDownloadDlg : public CPageDlg
{
    Q_OBJECT
public:
    CDownloadDlg();
    ~CDownloadDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, IPageHost *host,
                QWidget *parent);

    // Refreshes texts and the target folder.
    void ActivatePage();

protected:
    void BuildPage(QVBoxLayout *body) override;

private:
    QLineEdit *m_pFolder = nullptr;
};
