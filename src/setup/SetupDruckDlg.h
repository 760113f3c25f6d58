#pragma once
// The dealer's default print settings: letterhead, captions, terms, price
// captions, number and title texts of "YAQTrader.ini". OK stores them in the
// settings and writes the dealer file; cancel changes nothing.

#include <QDialog>
#include <QList>

#include <functional>

class CPrgSettings;
class QWidget;

class CSetupDruckDlg : public QDialog
{
    Q_OBJECT
public:
    // The help context of the dialog.
    static constexpr int kHelpContext = 156;

    CSetupDruckDlg(CPrgSettings *settings, QWidget *parent = nullptr);
    ~CSetupDruckDlg() override;

    // F1 and "?": the program's help for a context.
    void SetHelp(std::function<void(int context)> help) { m_help = std::move(help); }

    int DoModal() { return exec(); }
    void accept() override;

private:
    void OnHelp();

    CPrgSettings *m_pSettings;
    // One edit per print default, in the order of PrintDefaultFields.
    QList<QWidget *> m_edits;
    std::function<void(int)> m_help;
};
