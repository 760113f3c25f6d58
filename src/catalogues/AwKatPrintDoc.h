#pragma once
// The print page of the labour-value catalogue: the title, the vehicle, the
// path walked, and from the selected line the labour positions among the
// next seven lines of the list, drawn as on the screen.

#include "catalogues/AwKatRowPainter.h"
#include "common/EasyPrintVirt.h"

class CAwKatWalk;
class CPrgSettings;

class CAwKatPrintDoc : public CEasyPrintVirt
{
public:
    CAwKatPrintDoc(CPrgSettings *settings, CAwKatWalk *walk);
    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override;

private:
    CPrgSettings *m_pSettings;
    CAwKatWalk *m_pWalk;
    CAwKatRowPainter m_painter;
};
