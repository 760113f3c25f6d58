#pragma once
// The print page of the labour-value catalogue: the title, the vehicle, the
// path walked, and from the selected line the labour positions among the
// next seven lines of the list, drawn as on the screen.

#include "catalogues/AwKatRowPainter.h"
#include "common/EasyPrintVirt.h"

class CAwKatColumns;
class CAwKatWalk;
class CPrgSettings;

class CAwKatPrintDoc : public CEasyPrintVirt
{
public:
    CAwKatPrintDoc(CPrgSettings *settings, CAwKatWalk *walk);
    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override;
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
