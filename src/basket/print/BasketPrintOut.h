#pragma once
// The basket's two print-outs, drawn through the print engine: the offer on
// the standard form (letterhead, customer, vehicle block, article table,
// sums, signature, an optional remark) and the information sheet (dealer and
// vehicle header, one block per entry, grand total). Both make their own
// page breaks inside the one long document the engine cuts into sheets and
// number every page "n/m" with the count of the measuring pass; the engine
// measures before it draws.
//
// Units are 0.1 mm with y growing upwards (see CEasyPrintVirt).

#include "basket/print/BasketPrintData.h"
#include "common/EasyPrintVirt.h"

#include <QFont>
#include <array>

class CWKList;
class CLayout;
class CLayoutVBox;
class CPaket;
class CPosition;

class CBasketPrintOut : public CEasyPrintVirt
{
public:
    // list: the basket's entries and totals (borrowed, may be null: an empty
    // basket).
    CBasketPrintOut(const CWKList *list, CBasketPrintData data);
    ~CBasketPrintOut() override;

    void SetData(const CBasketPrintData &data) { m_data = data; }
    void SetList(const CWKList *list) { m_list = list; }
    const CBasketPrintData &Data() const { return m_data; }

    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override;

    // The pages of the last measuring pass.
    int PageCount() const { return m_pageCount; }

private:
    CSize PrintStandardForm(QPainter *dc, const CRect &area, bool measure);
    CSize PrintInfoSheet(QPainter *dc, const CRect &area, bool measure);

    const CWKList *m_list;
    CBasketPrintData m_data;
    int m_pageWidth = 0;  // of the measuring pass
    int m_pageHeight = 0; // positive
    int m_pageCount = 0;
};
