#pragma once
// The report of the data-package imports, opened from the information box.

#include <QDialog>

class CPrgSettings;
class CYaqDb;

class CReportDlg : public QDialog
{
    Q_OBJECT
public:
    CReportDlg(CPrgSettings *settings, CYaqDb *db0, QWidget *parent = nullptr);
    ~CReportDlg() override;

    int DoModal() { return exec(); }
    // The report file in the data directory.
    static QString ReportPath(const CPrgSettings &settings);

private:
    CPrgSettings *m_pSettings;
    CYaqDb *m_pDb;
};
