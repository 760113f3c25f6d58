#pragma once
// The basket page's print operation: the print dialog, then the preview (or
// the printer directly, by the "Preview" setting) or the PDF, on the form
// the dialog chose. One per basket page, so that the engine's options stay
// for the next print-out.

#include "basket/print/BasketPrintOut.h"

#include <QString>
#include <functional>
#include <memory>

class CEasyPrintDlg;
class CPrgSettings;
class CWKList;
class QWidget;

// The main window's head-row fields and the basket's order number.
struct CBasketHeadFields
{
    QString date;
    QString plate;
    QString mileage;
    QString orderNumber;
};

class CBasketPrinter
{
public:
    CBasketPrinter(CPrgSettings *settings, QWidget *parent);
    ~CBasketPrinter();

    // F1 and "?" of the print dialog and of the dialogs it opens: the
    // program's help for a help context.
    void SetHelpHandler(std::function<void(int context)> help) { m_help = std::move(help); }

    // Runs the print dialog for the list; "PDF" writes "YAQ2.pdf" and
    // opens the dialog again, "Print" previews or prints, "Cancel" ends.
    void Run(const CWKList &list, const CBasketHeadFields &head);

    // The print-out of the fields as they stand in the settings.
    CBasketPrintData PrintData(const CBasketHeadFields &head, const QString &date) const;
    CEasyPrintDlg &Engine() { return *m_pEngine; }

private:
    CPrgSettings *m_pSettings;
    QWidget *m_pParent;
    CBasketPrintOut m_printOut;
    std::unique_ptr<CEasyPrintDlg> m_pEngine;
    std::function<void(int)> m_help;
};
