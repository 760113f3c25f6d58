#pragma once
// The print page of the labour-value catalogue: the title, the vehicle, the
// path walked, and from the selected line the labour positions among the
// next seven lines of the list, drawn as on the screen.

#include "catalogues/AwKatRowPainter.h"
#include "common/EasyPrintVirt.h"

#include <memory>

class CAwKatColumns;
class CAwKatWalk;
class CEasyPrintDlg;
class CPrgSettings;
class QWidget;

class CAwKatPrintDoc : public CEasyPrintVirt
{
public:
    CAwKatPrintDoc(CPrgSettings *settings, CAwKatWalk *walk);
    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override;
    // The print engine of the page for this print-out: its preview shows
    // the sheets as they are printed; the PDF goes to the settings' local
    // folder.
    std::unique_ptr<CEasyPrintDlg> MakePrintDlg(QWidget *parent);
    // The variant columns of the page: their titles stand above the
    // positions, the columns in view on the screen are the ones printed.
    void SetColumns(const CAwKatColumns *columns, bool byColumn)
    {
        m_pColumns = columns;
        m_painter.SetColumns(columns, byColumn);
    }

private:
    CPrgSettings *m_pSettings;
    CAwKatWalk *m_pWalk;
    CAwKatRowPainter m_painter;
    const CAwKatColumns *m_pColumns = nullptr;
};
