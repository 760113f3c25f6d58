#pragma once
// The SI-finding panel: one finding of the service information, shown over
// the findings page.

#include "common/PageDlg.h"

class CYaqDb;

class CSBefAnzDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSBefAnzDlg();
    ~CSBefAnzDlg() override;

    bool Create(CPrgSettings *settings, int templateId, CYaqDb *db0, CYaqDb *db1, CYaqDb *db2,
                CYaqDb *db3, IPageHost *host, QWidget *parent);

    void SetBefundNr(const QString &findingNr) { m_strBefundNr = findingNr; }
    QString BefundNr() const { return m_strBefundNr; }
    // Loads the finding into the list.
    void ActivatePage();

protected:
    void BuildPage(QVBoxLayout *body) override;
    void OnBack() override;

private:
    QString m_strBefundNr;
};
