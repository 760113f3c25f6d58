#pragma once
// The SI-finding panel: one finding of the service information, shown over
// the findings page.

#include "common/PageDlg.h"

class CSBefAnzDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSBefAnzDlg();
    ~CSBefAnzDlg() override;

    void SetBefundNr(const QString &findingNr) { m_strBefundNr = findingNr; }
    QString BefundNr() const { return m_strBefundNr; }

protected:
    void BuildPage(QVBoxLayout *body) override;
    // Loads the finding into the list.
    void RefreshPage() override;

private:
    QString m_strBefundNr;
};
