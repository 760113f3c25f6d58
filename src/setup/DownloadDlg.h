#pragma once
// The download page: export of the offline data files for dealers.

#include "common/PageDlg.h"

class QLineEdit;

class CDownloadDlg : public CPageDlg
{
    Q_OBJECT
public:
    CDownloadDlg();
    ~CDownloadDlg() override;

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Shows the target folder of the settings.
    void RefreshPage() override;

private:
    QLineEdit *m_pFolder = nullptr;
};
