#pragma once
// The download page: export of the offline data files for dealers.

#include "common/PageDlg.h"

class QLabel;
class QLineEdit;

class CDownloadDlg : public CPageDlg
{
    Q_OBJECT
public:
    CDownloadDlg();
    ~CDownloadDlg() override;

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Shows the target folder of the settings, its label in the program's
    // language.
    void RefreshPage() override;

private:
    QLabel *m_pFolderLabel = nullptr;
    QLineEdit *m_pFolder = nullptr;
};
