#include "app/KatAuswahlDlg.h"

#include "app/EReiheEntry.h"
#include "app/EReiheList.h"
#include "app/KatAuswahlDelegate.h"
#include "app/KatAuswahlModel.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListView>
#include <QVBoxLayout>

namespace {
CKatAuswahlDlg::Runner &RunnerSlot()
{
    static CKatAuswahlDlg::Runner runner;
    return runner;
}

// Samples that measure the three columns: a model range with its suffix, a
// model-series code and a market with its suffix.
const char kSampleRange[] = "8er";
const char kSampleSeries[] = "F40W";
const char kSampleMarket[] = "DE/R";
// Room in the title bar besides the title: the icon and the window's buttons.
constexpr int kTitleBarRoom = 120;
constexpr int kTextTitle = 7318; // "Katalog-Auswahl"
} // namespace

void CKatAuswahlDlg::SetRunner(Runner runner)
{
    RunnerSlot() = std::move(runner);
}

CKatAuswahlDlg::CKatAuswahlDlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("catalogueChoiceDialog"));
    setWindowTitle(OrmelText(kTextTitle));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));

    m_pModel = new CKatAuswahlModel(this);
    m_pDelegate = new CKatAuswahlDelegate(this);
    m_pGroup = new QGroupBox(this);
    m_pGroup->setObjectName(QStringLiteral("catalogueGroup"));
    m_pList = new QListView(m_pGroup);
    m_pList->setObjectName(QStringLiteral("catalogueList"));
    m_pList->setModel(m_pModel);
    m_pList->setItemDelegate(m_pDelegate);
    m_pList->setUniformItemSizes(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *groupLayout = new QVBoxLayout(m_pGroup);
    groupLayout->addWidget(m_pList);

    m_pOK = new COwnButton(this);
    m_pOK->setObjectName(QStringLiteral("okButton"));
    m_pOK->Init(QString(), palette().color(QPalette::Window));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pGroup, 1);
    layout->addWidget(m_pOK, 0, Qt::AlignRight);

    connect(m_pOK, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        OnOK();
    });
    connect(m_pList, &QAbstractItemView::doubleClicked, this, [this] { OnOK(); });
    connect(m_pList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { OnSelChange(); });
}

CKatAuswahlDlg::~CKatAuswahlDlg() = default;

int CKatAuswahlDlg::DoModal(const QString &seriesCode, int x, int y, const CEReiheList *list)
{
    m_strEReihe = seriesCode;
    m_x = x;
    m_y = y;
    m_pList_ = list;
    OnInitDialog();
    if (RunnerSlot())
        return RunnerSlot()(*this) == kTaken ? kTaken : kCancelled;
    return exec() == kTaken ? kTaken : kCancelled;
}

void CKatAuswahlDlg::OnInitDialog()
{
    m_pOK->setText(OrmelText(2016));
    const QFont font = this->font();
    QFont heading = font;
    heading.setBold(true);
    m_nRangeWidth = CKatAuswahlDelegate::MeasureText(font, QString::fromLatin1(kSampleRange));
    m_nSeriesWidth = CKatAuswahlDelegate::MeasureText(font, QString::fromLatin1(kSampleSeries));
    m_nMarketWidth = CKatAuswahlDelegate::MeasureText(font, QString::fromLatin1(kSampleMarket));
    m_pDelegate->SetColumns(m_nRangeWidth, m_nSeriesWidth, m_nMarketWidth);
    m_pDelegate->SetFonts(font, heading);

    m_pModel->Fill(m_pList_, m_strEReihe);
    const int current = m_pSettings ? m_pModel->RowOfTypNr(m_pSettings->Bestellnr) : -1;
    const int rows = qMax(1, m_pModel->rowCount());
    const int width = CKatAuswahlDelegate::kLeftMargin + m_nSeriesWidth + m_nMarketWidth +
                      m_nRangeWidth + 3 * CKatAuswahlDelegate::kColumnGap;
    const int frame = 2 * m_pList->frameWidth();
    // The box is as wide as its columns, but not so narrow that the window
    // manager cuts its title short.
    const QMargins outer = layout()->contentsMargins();
    const QMargins inner = m_pGroup->layout()->contentsMargins();
    const int titleWidth = QFontMetrics(heading).horizontalAdvance(windowTitle()) + kTitleBarRoom -
                           outer.left() - outer.right() - inner.left() - inner.right();
    m_pList->setFixedSize(qMax(width + frame + 4, titleWidth),
                          qBound(2, rows, 10) * CKatAuswahlDelegate::kRowHeight + frame);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(m_x, m_y);

    if (current < 0) {
        SelectRow(0);
        m_bOkDefault = false;
    } else {
        SelectRow(current);
        m_bOkDefault = true;
    }
    m_pList->setFocus();
}

int CKatAuswahlDlg::RowCount() const
{
    return m_pModel->rowCount();
}

int CKatAuswahlDlg::SelectedRow() const
{
    const QModelIndex index = m_pList->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void CKatAuswahlDlg::SelectRow(int row)
{
    const QModelIndex index = m_pModel->index(row, 0);
    if (index.isValid())
        m_pList->setCurrentIndex(index);
}

const CEReiheEntry *CKatAuswahlDlg::SelectedEntry() const
{
    return m_pModel->EntryAt(SelectedRow());
}

void CKatAuswahlDlg::OnSelChange()
{
    m_pOK->setEnabled(true);
    m_bOkDefault = true;
    m_pList->setFocus();
    m_pOK->update();
}

void CKatAuswahlDlg::keyPressEvent(QKeyEvent *event)
{
    // Enter takes the row once OK is the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_bOkDefault)
            OnOK();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CKatAuswahlDlg::OnOK()
{
    const CEReiheEntry *entry = SelectedEntry();
    if (!entry)
        return;
    ApplyEntry(*entry);
    done(kTaken);
}

void CKatAuswahlDlg::ApplyEntry(const CEReiheEntry &e)
{
    if (!m_pSettings || e.strTypNr == m_pSettings->Bestellnr)
        return;
    m_pSettings->Bestellnr = e.strTypNr;
    m_pSettings->EReihe = e.strEReihe;
    m_pSettings->Marke = e.strMarke;
    m_pSettings->KatalogKey = e.strKatBstNr;
    m_pSettings->Land = e.strLand;
}
