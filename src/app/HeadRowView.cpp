#include "app/HeadRowView.h"

#include "app/EReiheCombo.h"
#include "app/EReiheDelegate.h"
#include "app/EReiheModel.h"
#include "app/HeadRowCatalogue.h"
#include "app/SessionPolicy.h"
#include "app/VersionLine.h"
#include "common/OwnButton.h"
#include "common/OwnLogoButton.h"
#include "common/readers/HLXContracts.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
// The colours of the head row.
const QColor kContractColour(0xC0, 0xDC, 0xC0);
const QColor kWarningGreen(0, 200, 0);
const QString kCustomerPriceWarning = QStringLiteral("ACHTUNG: Customer Specific Price");
// Blink interval of the customer-specific-price warning.
constexpr int kBlinkMs = 500;
// The head buttons' column is at least this wide, wider for longer captions.
constexpr int kButtonColumnWidth = 160;
// The basket button adds the number of entries to its caption; it is kept
// as wide as its caption with three digits.
const QString kWidestEntryCount = QStringLiteral(" (999)");
} // namespace

CHeadRowView::CHeadRowView(QWidget *window, CPrgSettings *settings, Catalogue catalogue)
    : m_pWindow(window), m_pSettings(settings), m_catalogue(std::move(catalogue))
{
    Build();
    m_pBlinkTimer = new QTimer(window);
    m_pBlinkTimer->setObjectName(QStringLiteral("customerPriceTimer"));
    m_pBlinkTimer->setInterval(kBlinkMs);
    connect(m_pBlinkTimer, &QTimer::timeout, this, &CHeadRowView::OnBlinkTimer);
}

QLabel *CHeadRowView::MakeLabel(const char *name)
{
    auto *label = new QLabel(m_pWindow);
    label->setObjectName(QString::fromLatin1(name));
    m_labels.insert(label->objectName(), label);
    return label;
}

QLabel *CHeadRowView::LabelOf(const char *name) const
{
    return m_labels.value(QString::fromLatin1(name));
}

COwnButton *CHeadRowView::MakeButton(int id, const char *name, const QString &bitmap)
{
    auto *button = new COwnButton(m_pWindow);
    button->setObjectName(QString::fromLatin1(name));
    button->Init(bitmap, m_pWindow->palette().color(QPalette::Window));
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_buttons.insert(id, button);
    return button;
}

QComboBox *CHeadRowView::CreateModelSeriesCombo()
{
    auto *combo = new CEReiheCombo(m_pWindow);
    combo->setObjectName(QStringLiteral("modelSeriesCombo"));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(5);
    m_pEReiheModel = new CEReiheModel(combo);
    auto *delegate = new CEReiheDelegate(combo);
    QFont separatorFont = m_pWindow->font();
    separatorFont.setBold(true);
    separatorFont.setItalic(true);
    delegate->SetFonts(m_pWindow->font(), separatorFont);
    combo->setModel(m_pEReiheModel);
    combo->setItemDelegate(delegate);
    connect(combo, &CEReiheCombo::aboutToShowPopup, this, &CHeadRowView::RefreshModelSeriesCombo);
    return combo;
}

void CHeadRowView::Build()
{
    QWidget *window = m_pWindow;
    m_pTitle = new COwnLogoButton(window);
    m_pTitle->setObjectName(QStringLiteral("titleButton"));
    m_pTitle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto edit = [window](const char *name, int maxLength) {
        auto *e = new QLineEdit(window);
        e->setObjectName(QString::fromLatin1(name));
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        return e;
    };
    auto combo = [window](const char *name) {
        auto *c = new QComboBox(window);
        c->setObjectName(QString::fromLatin1(name));
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c->setMinimumContentsLength(5);
        return c;
    };
    m_pVin = edit("vinEdit", 17);
    const QFontMetrics fm(m_pVin->font());
    auto fit = [&fm](QWidget *w, const char *sample) {
        w->setMinimumWidth(fm.horizontalAdvance(QString::fromLatin1(sample)) + 14);
    };
    fit(m_pVin, "XVQWWW00000000000");
    m_pTypSchl = edit("typeKeyEdit", 4);
    fit(m_pTypSchl, "WWWW");
    m_pEReihe = CreateModelSeriesCombo();
    m_pModell = combo("modelCombo");
    m_pLeadType = combo("leadTypeCombo");
    m_pErstzul = edit("firstRegistrationEdit", 10);
    fit(m_pErstzul, "TT.MM.JJJJ");
    m_pPlate = edit("plateEdit", 0);
    fit(m_pPlate, "XX-XX 0000");
    m_pKm = edit("mileageEdit", 0);
    fit(m_pKm, "0000000");
    m_pDate = edit("dateEdit", 10);
    fit(m_pDate, "00.00.0000");

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(2);
    const struct
    {
        const char *label;
        QWidget *field;
        int stretch;
    } columns[] = {
        {"vinLabel", m_pVin, 3},
        {"typeKeyLabel", m_pTypSchl, 0},
        {"modelSeriesLabel", m_pEReihe, 2},
        {"modelLabel", m_pModell, 2},
        {"leadTypeLabel", m_pLeadType, 2},
        {"firstRegistrationLabel", m_pErstzul, 0},
        {"plateLabel", m_pPlate, 0},
        {"mileageLabel", m_pKm, 0},
        {"dateLabel", m_pDate, 0},
    };
    int column = 0;
    for (const auto &c : columns) {
        fields->addWidget(MakeLabel(c.label), 0, column);
        fields->addWidget(c.field, 1, column);
        fields->setColumnStretch(column, c.stretch);
        ++column;
    }
    COwnButton *dmsVin =
        MakeButton(kBtnDmsVin, "dmsVinButton", QStringLiteral(":/bitmaps/dmsvin.png"));
    dmsVin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    m_pPageStack = new QStackedWidget(window);
    m_pPageStack->setObjectName(QStringLiteral("pageHost"));

    auto *left = new QVBoxLayout;
    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(m_pTitle, 1);
    titleRow->addWidget(dmsVin, 0, Qt::AlignBottom);
    left->addLayout(titleRow);
    left->addLayout(fields);
    left->addSpacing(4);
    left->addWidget(m_pPageStack, 1);

    // The button column: contract and two-wheeler program; search and
    // basket; downloads and settings; close and help.
    auto group = [window](const char *name, const QList<QWidget *> &buttons) {
        auto *box = new QGroupBox(window);
        box->setObjectName(QString::fromLatin1(name));
        auto *layout = new QVBoxLayout(box);
        layout->setContentsMargins(6, 6, 6, 6);
        for (QWidget *w : buttons)
            layout->addWidget(w);
        return box;
    };
    COwnButton *contract = MakeButton(kBtnContract, "contractButton", QString());
    COwnButton *twoWheeler = MakeButton(kBtnTwoWheeler, "twoWheelerButton", QString());
    COwnButton *search = MakeButton(kBtnSearch, "searchButton", QString());
    COwnButton *basket = MakeButton(kBtnBasket, "basketButton", QString());
    COwnButton *yaqDownload = MakeButton(kBtnYaqDownload, "yaqDownloadButton", QString());
    COwnButton *dmsDownload = MakeButton(kBtnDmsDownload, "dmsDownloadButton", QString());
    COwnButton *setup = MakeButton(kBtnSetup, "setupButton", QString());
    COwnButton *back = MakeButton(kBtnBack, "closeButton", QStringLiteral(":/bitmaps/back.png"));
    COwnButton *help = MakeButton(kBtnHelp, "helpButton", QStringLiteral(":/bitmaps/help.png"));
    COwnButton *helpIndex =
        MakeButton(kBtnHelpIndex, "helpIndexButton", QStringLiteral(":/bitmaps/helpindex.png"));
    // The start offers the two-wheeler program to the dealers it is for
    // (OfferTwoWheeler).
    twoWheeler->hide();
    twoWheeler->setEnabled(false);
    yaqDownload->hide();
    dmsDownload->hide();

    auto *smallRow = new QWidget(window);
    auto *smallLayout = new QHBoxLayout(smallRow);
    smallLayout->setContentsMargins(0, 0, 0, 0);
    smallLayout->addWidget(back);
    smallLayout->addWidget(help);
    smallLayout->addWidget(helpIndex);

    auto *right = new QVBoxLayout;
    right->addWidget(group("contractGroup", {contract, twoWheeler}));
    right->addWidget(group("pageGroup", {search, basket}));
    right->addStretch(1);
    right->addWidget(group("toolGroup", {yaqDownload, dmsDownload, setup}));
    right->addWidget(group("closeGroup", {smallRow}));

    auto *rightWidget = new QWidget(window);
    rightWidget->setObjectName(QStringLiteral("headButtonColumn"));
    rightWidget->setLayout(right);
    // As wide as its widest caption needs (see SetCaptions).
    rightWidget->setMinimumWidth(kButtonColumnWidth);
    rightWidget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    auto *main = new QHBoxLayout(window);
    main->setContentsMargins(8, 6, 8, 8);
    main->addLayout(left, 1);
    main->addWidget(rightWidget);
}

// ---------------------------------------------------------------------------
// Texts and faces

void CHeadRowView::SetCaptions()
{
    const struct
    {
        const char *label;
        int id;
    } labels[] = {{"vinLabel", 3015},   {"typeKeyLabel", 3016},          {"modelSeriesLabel", 3053},
                  {"modelLabel", 3018}, {"leadTypeLabel", 3017},         {"dateLabel", 3008},
                  {"plateLabel", 3086}, {"firstRegistrationLabel", 6000}};
    for (const auto &l : labels)
        LabelOf(l.label)->setText(OrmelText(l.id));
    LabelOf("mileageLabel")->setText(QStringLiteral("km / mls"));

    const struct
    {
        int button;
        int id;
    } buttons[] = {{kBtnSetup, 2002},  {kBtnYaqDownload, 2058}, {kBtnDmsDownload, 2032},
                   {kBtnSearch, 2013}, {kBtnBasket, 6078},      {kBtnTwoWheeler, 2030}};
    for (const auto &b : buttons)
        m_buttons.value(b.button)->setText(OrmelText(b.id));
    // The basket button is as wide as its caption with the most entries
    // from the start: the count never cuts the caption nor moves the column.
    COwnButton *basket = m_buttons.value(kBtnBasket);
    basket->setText(OrmelText(6078) + kWidestEntryCount);
    basket->setMinimumWidth(basket->sizeHint().width());
    basket->setText(OrmelText(6078));
    m_buttons.value(kBtnDmsVin)->setText(QStringLiteral("DMS-VIN"));
    m_buttons.value(kBtnDmsVin)->setToolTip(OrmelText(3119));
    SetBrandCaption();
    SetWindowTitle();
}

void CHeadRowView::SetBrandCaption()
{
    m_buttons.value(kBtnContract)->setText(HLXProgrammeTitle(m_pSettings->Marke));
}

void CHeadRowView::SetWindowTitle()
{
    m_pWindow->setWindowTitle(m_pSettings->DlgTitel +
                              CVersionLine::Format(CVersionLine::ProgramVersion()));
}

void CHeadRowView::ShowContractColour()
{
    // A flag whose check failed at the identification is checked again, as
    // every other use of it does: once the catalogue answers, the button
    // shows the vehicle's contract without a page having checked it. The
    // step that could not read it has told so.
    if (m_pSettings->bVertragUngeprueft)
        (void)m_catalogue().ContractFlag();
    COwnButton *contract = m_buttons.value(kBtnContract);
    contract->Init(QString(), m_pSettings->nVertrag ? kContractColour
                                                    : m_pWindow->palette().color(QPalette::Window));
    contract->update();
}

void CHeadRowView::SetCustomerSpecificPrice()
{
    QLabel *vinLabel = LabelOf("vinLabel");
    if (m_pSettings->bCustomerSpecificPrice) {
        vinLabel->setToolTip(kCustomerPriceWarning);
        m_pVin->setToolTip(kCustomerPriceWarning);
        const bool alreadyOn = m_pBlinkTimer->isActive();
        m_pBlinkTimer->start();
        if (!alreadyOn && m_pSettings->bMeldungCustomerSP)
            OwnMsgChkBox(kCustomerPriceWarning, &m_pSettings->bMeldungCustomerSP, m_pWindow,
                         kMsgBoxTitle, MSG_ALIGN_NOTICE);
        return;
    }
    m_pBlinkTimer->stop();
    m_bBlinkPhase = false;
    vinLabel->setToolTip(QString());
    m_pVin->setToolTip(QString());
    QPalette pal = vinLabel->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    vinLabel->setPalette(pal);
}

bool CHeadRowView::IsCustomerPriceBlinking() const
{
    return m_pBlinkTimer->isActive();
}

void CHeadRowView::OnBlinkTimer()
{
    QLabel *vinLabel = LabelOf("vinLabel");
    QPalette pal = vinLabel->palette();
    pal.setColor(QPalette::WindowText, m_bBlinkPhase ? kWarningGreen : QColor(Qt::black));
    m_bBlinkPhase = !m_bBlinkPhase;
    vinLabel->setPalette(pal);
}

// ---------------------------------------------------------------------------
// Model-series, model and lead-type combos

void CHeadRowView::RefreshModelSeriesCombo()
{
    CHeadRowCatalogue &head = m_catalogue();
    if (!head.IsModelSeriesDirty())
        return;
    // The combo borrows the entries: it lets go of them first.
    {
        const QSignalBlocker block(m_pEReihe);
        m_pEReiheModel->Clear();
    }
    const CatalogueFound found = head.BuildModelSeriesList();
    if (found == CatalogueFound::Failed)
        CatalogueFailure::Tell(m_pWindow, kMsgBoxTitle, MSG_ALIGN_LEFT);
    else if (found == CatalogueFound::No)
        OwnMsgBox(OrmelText(4011), m_pWindow, kMsgBoxTitle);
    const QSignalBlocker block(m_pEReihe);
    for (const CEReiheEntry *entry : head.SeriesItems())
        m_pEReiheModel->Append(entry);
    const int select = head.SeriesIndex(m_pSettings->EReihe);
    if (select >= 0)
        m_pEReihe->setCurrentIndex(select);
}

bool CHeadRowView::FillModelCombos(bool showVehicle)
{
    const CPrgSettings &s = *m_pSettings;
    {
        const QSignalBlocker vinBlock(m_pVin);
        const QSignalBlocker keyBlock(m_pTypSchl);
        m_pVin->setText(s.FgstnrFull);
        m_pTypSchl->setText(s.TypSchl);
    }
    const QSignalBlocker modelBlock(m_pModell);
    const QSignalBlocker leadBlock(m_pLeadType);
    m_pLeadType->clear();
    m_pModell->clear();
    CHeadRowCatalogue &head = m_catalogue();
    if (head.ModelsNeedSeriesList())
        RefreshModelSeriesCombo();
    const CHeadRowCatalogue::ModelItems items = head.Models(showVehicle);
    m_pModell->addItems(items.models);
    m_pLeadType->addItems(items.leadTypes);
    {
        const QSignalBlocker block(m_pEReihe);
        m_pEReihe->setCurrentIndex(items.series);
    }
    // A filled combo would show its first item: the choice is set always.
    m_pModell->setCurrentIndex(items.model);
    m_pLeadType->setCurrentIndex(items.leadType);
    return !items.readFailed;
}

CHeadRowView::ComboLists CHeadRowView::TakeComboLists() const
{
    ComboLists lists;
    lists.series = m_pEReihe->currentIndex();
    for (int i = 0; i < m_pModell->count(); ++i)
        lists.models << m_pModell->itemText(i);
    lists.model = m_pModell->currentIndex();
    for (int i = 0; i < m_pLeadType->count(); ++i)
        lists.leadTypes << m_pLeadType->itemText(i);
    lists.leadType = m_pLeadType->currentIndex();
    return lists;
}

void CHeadRowView::PutComboLists(const ComboLists &lists)
{
    const QSignalBlocker seriesBlock(m_pEReihe);
    const QSignalBlocker modelBlock(m_pModell);
    const QSignalBlocker leadBlock(m_pLeadType);
    m_pModell->clear();
    m_pModell->addItems(lists.models);
    m_pModell->setCurrentIndex(lists.model);
    m_pLeadType->clear();
    m_pLeadType->addItems(lists.leadTypes);
    m_pLeadType->setCurrentIndex(lists.leadType);
    m_pEReihe->setCurrentIndex(lists.series);
}

void CHeadRowView::ClearVehicle()
{
    CPrgSettings &s = *m_pSettings;
    for (QLineEdit *e : {m_pVin, m_pTypSchl, m_pErstzul, m_pPlate, m_pKm, m_pDate}) {
        const QSignalBlocker block(e);
        e->clear();
    }
    s.FgstnrFull.clear();
    s.Fgstnr.clear();
    s.TypSchl.clear();
    for (QComboBox *c : {m_pEReihe, m_pModell, m_pLeadType}) {
        const QSignalBlocker block(c);
        c->setCurrentIndex(-1);
    }
    FillModelCombos(false);
}

// ---------------------------------------------------------------------------
// Which fields are open

void CHeadRowView::ResetVehicleFields(bool enable, bool reset, bool holdAll,
                                      bool keepFirstRegistration, bool keepMileage)
{
    if (reset) {
        if (!holdAll) {
            m_pPlate->clear();
            m_pDate->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        }
        if (!holdAll && !keepFirstRegistration) {
            m_pErstzul->setText(OrmelText(6061));
            m_pSettings->Erstzulassung.clear();
        }
        if (!holdAll && !keepMileage) {
            m_pSettings->Kilometer.clear();
            m_pKm->clear();
        }
    }
    for (QLineEdit *e : {m_pErstzul, m_pPlate, m_pKm, m_pDate})
        e->setEnabled(enable);
    const bool campaigns = m_pSettings->MarketingCampaigns != 0;
    LabelOf("firstRegistrationLabel")->setVisible(campaigns);
    m_pErstzul->setVisible(campaigns);
}

void CHeadRowView::SetEnabled(bool enable, const CSessionPolicy &policy)
{
    if (enable == m_bEnabled)
        return;
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_pVin, m_pTypSchl, m_pEReihe, m_pModell, m_pLeadType})
        w->setEnabled(enable);
    for (int id : CSessionPolicy::HeadRowButtons())
        m_buttons.value(id)->setEnabled(enable && !policy.Forbids(id) &&
                                        (id != kBtnTwoWheeler || m_bTwoWheelerOffered));
    m_bEnabled = enable;
    m_pWindow->update();
}

void CHeadRowView::OfferTwoWheeler(bool offered, const CSessionPolicy &policy)
{
    m_bTwoWheelerOffered = offered;
    COwnButton *button = m_buttons.value(kBtnTwoWheeler);
    button->setVisible(offered);
    button->setEnabled(offered && m_bEnabled && !policy.Forbids(kBtnTwoWheeler));
}

void CHeadRowView::ApplyPageState(const HeadRowState &state, bool pageMode,
                                  const CSessionPolicy &policy)
{
    m_pVin->setReadOnly(!state.vinEditable);
    m_pTypSchl->setReadOnly(!state.typeKeyEditable);
    for (QComboBox *c : {m_pEReihe, m_pModell, m_pLeadType})
        c->setEnabled(state.combosEnabled && m_bEnabled);
    m_pErstzul->setReadOnly(!state.firstRegistrationEditable);
    m_pKm->setReadOnly(!state.mileageEditable);

    m_buttons.value(kBtnDmsVin)->setVisible(!pageMode);
    m_buttons.value(kBtnDmsVin)->setEnabled(!policy.Forbids(kBtnDmsVin));
}
