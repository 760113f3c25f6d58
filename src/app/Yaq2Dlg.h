#pragma once
// The main window of the program.

#include <QDialog>

class CPrgSettings;
struct CMainWndArgs;

class CYaq2Dlg : public QDialog
{
    Q_OBJECT
public:
    explicit CYaq2Dlg(CPrgSettings *settings, QWidget *parent = nullptr);
    ~CYaq2Dlg() override;

    // Runs the window modally with the start arguments of the caller mode.
    int DoModal(const CMainWndArgs &args);

private:
    CPrgSettings *m_pSettings;
};
