#include "catalogues/AwKatPrintDoc.h"

#include "catalogues/model/AwKatColumns.h"
#include "catalogues/model/AwKatWalk.h"
#include "common/EasyPrintDlg.h"
#include "common/Layout.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QPainter>

namespace {
constexpr int kMargin = 150; // 15 mm
constexpr int kGap = 50;     // 5 mm
constexpr int kLabel = 500;  // 50 mm
constexpr int kMarkGap = 10; // 1 mm
// The screen rows begin this far right of the list's edge; a page row
// begins at the indent itself.
constexpr int kRowLeft = 10;
} // namespace

CAwKatPrintDoc::CAwKatPrintDoc(CPrgSettings *settings, CAwKatWalk *walk)
    : m_pSettings(settings), m_pWalk(walk)
{
    m_painter.SetPrintFonts();
}

std::unique_ptr<CEasyPrintDlg> CAwKatPrintDoc::MakePrintDlg(QWidget *parent)
{
    auto dlg = std::make_unique<CEasyPrintDlg>(this, parent);
    if (m_pSettings && !m_pSettings->LocalFolder.isEmpty())
        dlg->SetPdfFolder(m_pSettings->LocalFolder);
    return dlg;
}

CSize CAwKatPrintDoc::PrintPage(QPainter *dc, CRect *area, int measureOnly)
{
    if (!area)
        return CSize();
    const int draw = measureOnly ? 0 : 1;
    if (dc && draw)
        dc->setPen(Qt::black);
    CLayoutVBox doc(CRect(-area->left, -area->top, 10000000 - area->left, 10000000 - area->top),
                    dc);
    doc.AddSize(0, -kMargin);
    {
        CLayoutHBox title(doc);
        title.AddSize(kMargin, 0);
        title.DCDraw(&m_painter.LevelFont(),
                     m_pSettings->PrgTitel + QStringLiteral("      ") + m_pSettings->DlgTitel, draw,
                     0, 0);
    }
    doc.AddSize(0, -kGap);
    const std::pair<int, QString> vehicle[] = {
        {3015, m_pSettings->FgstnrFull.isEmpty() ? m_pSettings->Fgstnr : m_pSettings->FgstnrFull},
        {3016, m_pSettings->TypSchl},
        {3053, m_pSettings->EReihe},
        {3017, m_pSettings->LeadTyp},
        {3018, m_pSettings->ModellBez},
    };
    for (const auto &[id, value] : vehicle) {
        CLayoutHBox line(doc);
        line.AddSize(kMargin, 0);
        line.DCDraw(&m_painter.BoldFont(), OrmelText(id) + QLatin1Char(':'), draw, kLabel, 0);
        line.DCDraw(&m_painter.BoldFont(), value, draw, 0, 0);
    }
    doc.AddSize(0, -kGap);
    for (const CAwKatRow *row : m_pWalk->Path()) {
        CLayoutHBox line(doc);
        line.AddSize(kMargin, 0);
        const QString key = row->Type == AW_MAIN_GROUP ? row->Key : row->Number;
        line.DCDraw(&m_painter.LevelFont(), key + QStringLiteral("  ") + row->Text(), draw, 0, 0);
    }
    doc.AddSize(0, -kGap);
    // The titles of the columns in view, written upwards over their cells.
    if (m_pColumns && m_pColumns->ShownCount() > 0) {
        CLayoutHBox titles(doc);
        const QFont &font = m_painter.BoldFont();
        const QFontMetrics metrics(font);
        const int height = metrics.horizontalAdvance(QStringLiteral("000000")) + 2 * kMarkGap;
        const int width = m_painter.ColumnWidth();
        const int left = kMargin + m_painter.ValuesLeft() - kRowLeft;
        const CRect free = titles.GetFreeRect();
        for (int place = 0; draw && dc && place < m_pColumns->ShownCount(); ++place) {
            const int x = free.left + left + width * place +
                          (width + metrics.ascent() - metrics.descent()) / 2;
            dc->save();
            dc->setFont(font);
            dc->translate(x, free.top - height + kMarkGap);
            dc->scale(1.0, -1.0);
            dc->rotate(-90);
            dc->drawText(0, 0, m_pColumns->ShownSlot(place)->TypeKey);
            dc->restore();
        }
        titles.AddSize(left + width * m_pColumns->ShownCount(), -height);
    }
    doc.AddSize(0, -kGap);
    // The positions among the seven lines from the selection (the first six
    // without one).
    const std::vector<CAwKatRow *> &shown = m_pWalk->Shown();
    const int selected = m_pWalk->SelectedIndex();
    for (int i = selected; i <= selected + 6; ++i) {
        if (i < 0 || i >= int(shown.size()) || shown[size_t(i)]->Type != AW_POSITION)
            continue;
        CLayoutHBox line(doc);
        line.AddSize(kMargin, 0);
        m_painter.DrawRowIn(line, shown[size_t(i)], draw);
    }
    const CRect used = doc.GetResultRect();
    return CSize(used.Width() + kMargin, used.Height());
}
