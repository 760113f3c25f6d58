#include "app/FgstNrAbfDlg.h"

#include "app/FgstNrAbfDelegate.h"
#include "app/FgstNrAbfModel.h"
#include "app/VehicleIdent.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "common/WaitCursor.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/ServerWait.h"
#include "settings/PrgSettings.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

namespace {

// The longest text a search field takes.
constexpr int kMaxCriterionLength = 255;

bool SearchesVehicles(const CPrgSettings &settings)
{
    return settings.SRPInterfaceReq == 3 || settings.SRPInterfaceReq == 4;
}

} // namespace

CFgstNrAbfDlg::CFgstNrAbfDlg(CPrgSettings *settings, CYaqDb *db, QWidget *parent,
                             CVehicleSearchTarget target)
    : QDialog(parent), m_pSettings(settings), m_pDb(db), m_target(std::move(target)),
      m_ownSender(settings), m_ownClient(settings, &m_ownSender)
{
    BuildControls();
    OnInitDialog();
}

CFgstNrAbfDlg::~CFgstNrAbfDlg() = default;

void CFgstNrAbfDlg::BuildControls()
{
    setObjectName(QStringLiteral("vehicleSearchDialog"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    const QColor face = palette().color(QPalette::Window);

    auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(kMaxCriterionLength);
        connect(e, &QLineEdit::textChanged, this, &CFgstNrAbfDlg::UpdateSearchButton);
        return e;
    };
    m_pPlate = edit("plateEdit");
    m_pLastName = edit("lastNameEdit");
    m_pCriterion3 = edit("criterion3Edit");
    m_pCriterion4 = edit("criterion4Edit");
    const char *labelNames[] = {"plateLabel", "lastNameLabel", "criterion3Label",
                                "criterion4Label"};
    for (int i = 0; i < 4; ++i) {
        m_pLabels[i] = new QLabel(this);
        m_pLabels[i]->setObjectName(QLatin1String(labelNames[i]));
    }
    m_pLabels[0]->setBuddy(m_pPlate);
    m_pLabels[1]->setBuddy(m_pLastName);
    m_pLabels[2]->setBuddy(m_pCriterion3);
    m_pLabels[3]->setBuddy(m_pCriterion4);

    m_pSearch = new COwnButton(this);
    m_pSearch->setObjectName(QStringLiteral("searchButton"));
    m_pSearch->Init(QString(), face);
    m_pOk = new COwnButton(this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->Init(QString(), face);
    m_pBack = new COwnButton(this);
    m_pBack->setObjectName(QStringLiteral("backButton"));
    m_pBack->Init(QStringLiteral(":/bitmaps/back.png"), face);

    // The criteria: plate and last name above criteria 3 and 4; each half
    // of the width goes to one column, the search button stays on the right.
    m_pGroup = new QGroupBox(this);
    m_pGroup->setObjectName(QStringLiteral("criteriaGroup"));
    auto *grid = new QGridLayout(m_pGroup);
    grid->addWidget(m_pLabels[0], 0, 0);
    grid->addWidget(m_pLabels[1], 0, 1);
    grid->addWidget(m_pPlate, 1, 0);
    grid->addWidget(m_pLastName, 1, 1);
    grid->addWidget(m_pLabels[2], 2, 0);
    grid->addWidget(m_pLabels[3], 2, 1);
    grid->addWidget(m_pCriterion3, 3, 0);
    grid->addWidget(m_pCriterion4, 3, 1);
    grid->addWidget(m_pSearch, 3, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    m_pModel = new CFgstNrAbfModel(this);
    m_pDelegate = new CFgstNrAbfDelegate(this);
    m_pList = new QListView(this);
    m_pList->setObjectName(QStringLiteral("resultList"));
    m_pList->setModel(m_pModel);
    m_pList->setItemDelegate(m_pDelegate);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pList->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_pBack);
    buttons->addStretch(1);
    buttons->addWidget(m_pOk);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pGroup);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);

    connect(m_pSearch, &QAbstractButton::clicked, this, &CFgstNrAbfDlg::OnSearch);
    connect(m_pOk, &QAbstractButton::clicked, this, &CFgstNrAbfDlg::OnTakeVin);
    connect(m_pBack, &QAbstractButton::clicked, this, &CFgstNrAbfDlg::OnBack);
    connect(m_pList, &QAbstractItemView::doubleClicked, this, &CFgstNrAbfDlg::OnTakeVin);
    connect(m_pList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { m_pOk->setEnabled(current.isValid()); });
}

void CFgstNrAbfDlg::OnInitDialog()
{
    QFont base = font();
    if (base.family() == QLatin1String("System"))
        base = QApplication::font();
    m_vinFont = base;
    m_vinFont.setWeight(QFont::Bold);
    m_vinFont.setItalic(false);
    m_textFont = base;
    m_textFont.setWeight(QFont::Normal);
    m_textFont.setItalic(false);

    m_pOk->setEnabled(false);
    m_pSearch->setEnabled(false);
    m_pOk->setText(OrmelText(2016));
    m_pSearch->setText(OrmelText(2036));
    m_pBack->setText(QStringLiteral("<"));
    m_pLabels[0]->setText(OrmelText(3112));
    m_pLabels[1]->setText(OrmelText(3113));
    m_pLabels[2]->setText(OrmelText(3114));
    m_pLabels[3]->setText(OrmelText(3115));
    setWindowTitle(m_pSettings->DlgTitel + QStringLiteral("      ") + OrmelText(3119));

    m_nGap = CFgstNrAbfDelegate::MeasureText(m_textFont, QStringLiteral("W"));
    m_pDelegate->SetFonts(m_vinFont, m_textFont);
    m_pDelegate->SetColumns(m_nGap, 0, 0, 0);

    // Criteria 3 and 4 are the dealer file's and the DMS's only.
    const bool searches = SearchesVehicles(*m_pSettings);
    m_pCriterion3->setEnabled(searches);
    m_pCriterion4->setEnabled(searches);
    m_pDefault = m_pSearch;
}

void CFgstNrAbfDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The dialog is never made smaller than it opened.
    if (!m_initialSize.isValid()) {
        m_initialSize = size();
        setMinimumSize(m_initialSize);
    }
}

int CFgstNrAbfDlg::DoModal()
{
    return exec() == IDOK ? IDOK : IDCANCEL;
}

const QList<CFgstNrAbfZeile> &CFgstNrAbfDlg::Hits() const
{
    return m_pModel->Hits();
}

CVehicleSearchCriteria CFgstNrAbfDlg::Criteria() const
{
    CVehicleSearchCriteria criteria;
    criteria.lastName = m_pLastName->text();
    criteria.plate = m_pPlate->text();
    criteria.criterion3 = m_pCriterion3->text();
    criteria.criterion4 = m_pCriterion4->text();
    return criteria;
}

void CFgstNrAbfDlg::UpdateSearchButton()
{
    // Plate and last name search only in the request modes that search;
    // criteria 3 and 4 are open only there.
    const CVehicleSearchCriteria c = Criteria();
    const bool byPlateOrName =
        SearchesVehicles(*m_pSettings) && (!c.plate.isEmpty() || !c.lastName.isEmpty());
    m_pSearch->setEnabled(byPlateOrName || !c.criterion3.isEmpty() || !c.criterion4.isEmpty());
}

void CFgstNrAbfDlg::OnSearch()
{
    PlaySoundSelected(m_pSettings);
    const CWaitCursor wait;
    const CVehicleSearchCriteria criteria = Criteria();
    m_pModel->SetHits(QList<CFgstNrAbfZeile>());
    m_pOk->setEnabled(false);
    m_pList->viewport()->update();

    CVehicleSearch search(m_pSettings);
    CVehicleSearchOutcome outcome;
    if (m_pSettings->SRPInterfaceReq == 3) {
        outcome = search.SearchDealerFile(criteria, GetPrgSprache(), m_notice);
    } else if (m_pSettings->SRPInterfaceReq == 4) {
        CDmsClient &client = m_target.client ? *m_target.client : m_ownClient;
        outcome = search.RequestVin(client, &m_notice, criteria);
    }
    if (outcome.showList)
        ShowResults(outcome.hits);
}

void CFgstNrAbfDlg::ShowResults(const QList<CFgstNrAbfZeile> &hits)
{
    int vinWidth = 0;
    int text1Width = 0;
    int text2Width = 0;
    for (const CFgstNrAbfZeile &hit : hits) {
        vinWidth = qMax(vinWidth, CFgstNrAbfDelegate::MeasureText(m_vinFont, hit.strFgstNr));
        text1Width = qMax(text1Width, CFgstNrAbfDelegate::MeasureText(m_textFont, hit.strText1));
        text2Width = qMax(text2Width, CFgstNrAbfDelegate::MeasureText(m_textFont, hit.strText2));
    }
    m_pDelegate->SetColumns(m_nGap, vinWidth, text1Width, text2Width);
    m_pModel->SetHits(hits);
    if (hits.isEmpty()) {
        m_pOk->setEnabled(false);
        m_notice.Notice(OrmelText(4007), kMsgBoxTitle);
        return;
    }
    m_pList->setCurrentIndex(m_pModel->index(0, 0));
    m_pList->setFocus();
    m_pDefault = m_pList;
    m_pOk->setEnabled(true);
}

void CFgstNrAbfDlg::OnTakeVin()
{
    // Taking a hit is the adviser's step in this dialog: a catalogue server
    // found silent before is asked again.
    CServerWait::BeginStep();
    PlaySoundSelected(m_pSettings);
    const CFgstNrAbfZeile *hit = m_pModel->HitAt(m_pList->currentIndex().row());
    if (!hit)
        return;
    CYaqDb *db = m_pDb;
    CPrgSettings *settings = m_pSettings;
    const CVehicleSearch search(m_pSettings);
    // A copy: the main window's identification may come back here.
    const CFgstNrAbfZeile taken = *hit;
    const CVehicleSearch::Take take = search.TakeHit(
        taken, [settings, db](const QString &vin) { return CheckFgstNr(settings, db, vin); },
        m_target.apply, m_notice);
    // The basket keeping the vehicle shown ends the search as "<" does.
    if (take == CVehicleSearch::Take::Taken)
        done(IDOK);
    else if (take == CVehicleSearch::Take::Refused)
        done(IDCANCEL);
}

void CFgstNrAbfDlg::OnBack()
{
    PlaySoundSelected(m_pSettings);
    done(IDCANCEL);
}

bool CFgstNrAbfDlg::eventFilter(QObject *watched, QEvent *event)
{
    // Once the list had the focus, Enter takes its selected VIN.
    if (watched == m_pList && event->type() == QEvent::FocusIn)
        m_pDefault = m_pList;
    return QDialog::eventFilter(watched, event);
}

void CFgstNrAbfDlg::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_pDefault == m_pList)
            OnTakeVin();
        else if (m_pSearch->isEnabled())
            OnSearch();
        event->accept();
        return;
    case Qt::Key_Backspace: {
        const QWidget *focus = QApplication::focusWidget();
        const bool inEdit = focus == m_pLastName || focus == m_pPlate || focus == m_pCriterion3 ||
                            focus == m_pCriterion4;
        if (!inEdit) {
            OnBack();
            event->accept();
            return;
        }
        break;
    }
    case Qt::Key_F1:
        if (m_target.help)
            m_target.help();
        event->accept();
        return;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}
