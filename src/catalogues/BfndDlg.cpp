#include "catalogues/BfndDlg.h"

#include "basket/model/WKListItem.h"
#include "basket/model/WkBasket.h"
#include "catalogues/model/BfndContractCheck.h"
#include "catalogues/model/BfndRows.h"
#include "catalogues/model/BfndStatus.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "common/PageHost.h"
#include "common/WaitCursor.h"
#include "common/readers/HLXContracts.h"
#include "packages/model/Position.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/db/CatalogueFailure.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <utility>

namespace {

// The three-way question of a finding already in the basket.
constexpr int kFindingStored = 4074;
constexpr int kFindingRefused = 4075;

constexpr int kNumberLength = 10;
constexpr int kApNumberLength = kBfndApNumberLength;

// Each level of the hierarchy indented below the one above it.
QString RowLine(const CBfndRow &row)
{
    switch (row.Type) {
    case BFND_MAIN_GROUP:
        return row.Key1 + QStringLiteral("  ") + row.Text;
    case BFND_SUB_GROUP:
        return QStringLiteral("    ") + row.Key1 + row.Key2 + QStringLiteral("  ") + row.Text;
    case BFND_LOCATION:
        return row.Key1 + row.Key2 + row.Key3 + QStringLiteral("  ") + row.Text;
    case BFND_DAMAGE_KEY:
        return QStringLiteral("        ") + row.Key4 + QStringLiteral("  ") + row.Text;
    case BFND_POSITION:
        return QStringLiteral("        ") + row.Number + QStringLiteral("  ") + row.Text;
    default:
        return row.Number + QStringLiteral("  ") + row.Text;
    }
}

} // namespace

CBfndDlg::CBfndDlg() = default;
CBfndDlg::~CBfndDlg() = default;

void CBfndDlg::BuildPage(QVBoxLayout *body)
{
    auto *buttons = new QHBoxLayout;
    m_pLevelUp = MakeButton(QStringLiteral("levelBackButton"), QStringLiteral("<<"));
    m_pBasket = MakeButton(QStringLiteral("basketButton"), QStringLiteral("&Z"));
    m_pBasket->SetTip(OrmelText(2051));
    m_pSearch = MakeButton(QStringLiteral("searchButton"), OrmelText(2013));
    buttons->addWidget(m_pLevelUp);
    buttons->addWidget(m_pBasket);
    buttons->addStretch(1);
    body->addLayout(buttons);

    auto *fields = new QHBoxLayout;
    auto field = [this, fields](const QString &name, int caption, int length) {
        auto *label = new QLabel(OrmelText(caption), this);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        if (length > 0)
            edit->setMaxLength(length);
        label->setBuddy(edit);
        fields->addWidget(label);
        fields->addWidget(edit);
        return edit;
    };
    m_pNumber = field(QStringLiteral("findingNumber"), 3000, kNumberLength);
    m_pText = field(QStringLiteral("findingText"), 3001, 0);
    m_pApNumber = field(QStringLiteral("apNumber"), 3005, kApNumberLength);
    fields->addWidget(m_pSearch);
    body->addLayout(fields);

    m_pHint = new QLineEdit(this);
    m_pHint->setObjectName(QStringLiteral("hintText"));
    m_pHint->setReadOnly(true);
    body->addWidget(m_pHint);

    m_pUpper = new QListWidget(this);
    m_pUpper->setObjectName(QStringLiteral("upperList"));
    m_pUpper->setMaximumHeight(140);
    m_pResult = new QListWidget(this);
    m_pResult->setObjectName(QStringLiteral("resultList"));
    body->addWidget(m_pUpper);
    body->addWidget(m_pResult, 1);

    auto statusLine = [this, body](const QString &name, QFrame **frame, QLabel **label) {
        *frame = new QFrame(this);
        (*frame)->setFrameShape(QFrame::Box);
        (*frame)->setAutoFillBackground(true);
        auto *layout = new QVBoxLayout(*frame);
        layout->setContentsMargins(4, 2, 4, 2);
        *label = new QLabel(*frame);
        (*label)->setObjectName(name);
        (*label)->setWordWrap(true);
        layout->addWidget(*label);
        body->addWidget(*frame);
    };
    statusLine(QStringLiteral("statusLine1"), &m_pStatusFrame1, &m_pStatus1);
    statusLine(QStringLiteral("statusLine2"), &m_pStatusFrame2, &m_pStatus2);

    connect(m_pLevelUp, &QAbstractButton::clicked, this, &CBfndDlg::OnLevelUp);
    connect(m_pBasket, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        AddFindingToBasket(-1);
    });
    connect(m_pSearch, &QAbstractButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        OnSearch();
    });
    connect(m_pNumber, &QLineEdit::textEdited, this, &CBfndDlg::OnNumberEdited);
    connect(m_pText, &QLineEdit::textEdited, this, &CBfndDlg::OnTextEdited);
    connect(m_pApNumber, &QLineEdit::textEdited, this, &CBfndDlg::OnApNumberEdited);
    for (QLineEdit *edit : {m_pNumber, m_pText, m_pApNumber})
        connect(edit, &QLineEdit::returnPressed, this, [this] {
            if (m_pSearch->isEnabled())
                OnSearch();
        });
    connect(m_pUpper, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { OnUpperOpen(m_pUpper->row(item)); });
    connect(m_pResult, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { OnResultOpen(m_pResult->row(item)); });
    connect(m_pResult, &QListWidget::currentRowChanged, this, &CBfndDlg::OnResultSelect);

    m_pBasket->setEnabled(false);
    EnsureRows();
}

void CBfndDlg::EnsureRows()
{
    if (m_pRows)
        return;
    // The page's own day decides which entries of a contract's finding
    // list are current.
    m_nContractFailures = FailuresOf({Db(1), Db(2)});
    m_pCheck = std::make_unique<CBfndContractCheck>(
        m_pSettings, Db(1), QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    m_pRows = std::make_unique<CBfndRows>(m_pSettings, Db(0), Db(3));
    m_pRows->SetContractCheck(m_pCheck.get());
}

void CBfndDlg::ActivateOnShow(const CPageRequest &request)
{
    if (request.activate)
        ActivatePage(1);
}

void CBfndDlg::ActivatePage(int reload)
{
    if (reload)
        CPageDlg::ActivatePage();
    else if (IsCreated())
        m_Changed.Clear();
    if (!IsCreated() || !m_pSettings)
        return;
    EnsureRows();
    const CWaitCursor wait;
    const bool contractsFailed = ReadHLXContractStatus(*m_pSettings, Db(2), Db(1)).failed;
    if (!reload) {
        // Contracts that could not be read change no row's contract text.
        if (!contractsFailed)
            m_pRows->RecheckContracts();
        UpdateStatusLines();
        TellFailedReads();
        return;
    }
    m_pRows->LoadFindingHints();
    const int from = CameFrom();
    BackButton()->setToolTip(from == kPageNrAbfrage ? OrmelText(2013)
                             : from == kPageSRPBb   ? OrmelText(3183)
                                                    : OrmelText(3200));
    m_bFromPackage = from == kPageSRPBb;
    if (from == kPageAwKat || from == kPageSRPBb) {
        ShowBefundForAPos(m_pSettings->GruppeBfndNr.trimmed().isEmpty() ? m_pSettings->AktApNr
                                                                        : QString(),
                          nullptr);
        return;
    }
    if (m_pRows->Upper().empty() || TakenChanges().bIdent || TakenChanges().bSprache)
        m_pRows->ReadMainGroups();
    else
        m_pRows->RecheckContracts();
    ShowRows();
}

void CBfndDlg::ShowBefundForAPos(const QString &apNumber, const CPaket *package)
{
    if (!IsCreated())
        return;
    EnsureRows();
    if (package)
        m_bFromPackage = true;
    const CWaitCursor wait;
    const QSignalBlocker blockNumber(m_pNumber), blockText(m_pText), blockAp(m_pApNumber);
    m_pText->clear();
    m_pHint->clear();
    const QString number = apNumber.trimmed();
    if (number.isEmpty()) {
        const QString group = m_pSettings ? m_pSettings->GruppeBfndNr.trimmed() : QString();
        m_pApNumber->clear();
        m_pNumber->setText(group);
        if (group.isEmpty() || !m_pRows->SearchNumber(group))
            m_pRows->ReadMainGroups();
    } else {
        m_pNumber->clear();
        m_pApNumber->setText(number);
        m_pHint->setText(m_pRows->GetAPosText(number).value.replace(QStringLiteral("\r\n"),
                                                                    QStringLiteral(" ")));
        m_pRows->ReadMainGroups();
        m_pRows->SearchPosition(number);
    }
    ShowRows();
}

void CBfndDlg::OnSearch()
{
    EnsureRows();
    const CWaitCursor wait;
    const QString number = m_pNumber->text().trimmed();
    const QString text = m_pText->text().trimmed();
    const QString apNumber = m_pApNumber->text().trimmed();
    if (!number.isEmpty()) {
        m_pRows->SearchNumber(number);
    } else if (!text.isEmpty()) {
        m_pRows->SearchText(text);
    } else if (apNumber.size() == kApNumberLength) {
        m_pHint->setText(m_pRows->GetAPosText(apNumber).value.replace(QStringLiteral("\r\n"),
                                                                      QStringLiteral(" ")));
        m_pRows->SearchPosition(apNumber);
    } else {
        m_pRows->ReadMainGroups();
    }
    ShowRows();
}

void CBfndDlg::ShowRows()
{
    m_bUpdating = true;
    m_pUpper->clear();
    for (const auto &row : m_pRows->Upper())
        m_pUpper->addItem(RowLine(*row));
    m_pResult->clear();
    for (const auto &row : m_pRows->Result()) {
        auto *item = new QListWidgetItem(RowLine(*row), m_pResult);
        if (row->Type == BFND_POSITION)
            item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
        if (row->Type == BFND_LOCATION || row->Type == BFND_APOS_FINDING ||
            row->Type == BFND_FINDING) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
    m_nRememberedIndex = -1;
    m_bUpdating = false;
    m_pBasket->setEnabled(false);
    m_pLevelUp->setEnabled(
        !m_pRows->Upper().empty() && m_pRows->Upper().front()->Type == BFND_MAIN_GROUP &&
        m_pRows->Upper().size() > 1 && m_pRows->Upper()[1]->Type == BFND_SUB_GROUP);
    UpdateStatusLines();
    if (!m_pRows->Result().empty())
        m_pResult->setFocus();
    TellFailedReads();
}

void CBfndDlg::TellFailedReads()
{
    // The contracts and their finding lists are read on connections of
    // their own.
    const int failures = FailuresOf({Db(1), Db(2)});
    const bool contractsFailed = std::exchange(m_nContractFailures, failures) != failures;
    if (m_pRows->ReadFailedSinceAsked() || contractsFailed)
        CatalogueFailure::Tell(this, kMsgBoxTitle, MSG_ALIGN_LEFT);
}

void CBfndDlg::OnUpperOpen(int index)
{
    PlaySoundSelected(m_pSettings);
    const CWaitCursor wait;
    if (m_pRows->OpenUpper(index)) {
        const QString keys =
            m_pRows->UpperRow(index) ? m_pRows->UpperRow(index)->Keys() : QString();
        ShowRows();
        // The row opened stays the current one of the upper list.
        for (int i = 0; i < int(m_pRows->Upper().size()); ++i) {
            if (m_pRows->Upper()[size_t(i)]->Keys() == keys)
                m_pUpper->setCurrentRow(i);
        }
    } else {
        TellFailedReads();
    }
}

void CBfndDlg::OnResultOpen(int index)
{
    const CWaitCursor wait;
    if (m_pRows->OpenResult(index))
        ShowRows();
    else
        TellFailedReads();
}

void CBfndDlg::OnLevelUp()
{
    PlaySoundSelected(m_pSettings);
    if (m_pRows->LevelUp())
        ShowRows();
    else
        TellFailedReads();
}

void CBfndDlg::OnResultSelect(int index)
{
    if (m_bUpdating || index < 0)
        return;
    const int selectable = CBfndRows::SelectableIndex(m_pRows->Result(), index, m_nRememberedIndex);
    if (selectable != index) {
        m_nRememberedIndex = selectable;
        const QSignalBlocker block(m_pResult);
        m_pResult->setCurrentRow(selectable);
    }
    const CBfndRow *row = m_pRows->ResultRow(selectable);
    if (row) {
        const bool vin = m_pSettings && !m_pSettings->Fgstnr.trimmed().isEmpty();
        switch (row->Type) {
        case BFND_APOS_FINDING:
        case BFND_LOCATION:
            m_pBasket->setEnabled(false);
            break;
        case BFND_FINDING:
        case BFND_DAMAGE_KEY:
            m_pBasket->setEnabled(vin && Basket());
            break;
        default:
            break;
        }
    }
    UpdateStatusLines();
}

void CBfndDlg::UpdateStatusLines()
{
    if (!m_pStatus1)
        return;
    const CBfndRow *row = m_pRows ? m_pRows->ResultRow(m_pResult->currentRow()) : nullptr;
    const CBfndStatus status = CBfndStatus::Of(row, m_pSettings && m_pSettings->bBfndAnzeigeUS,
                                               m_pSettings && m_pSettings->nKatalogFlag);
    SetStatusLine(m_pStatusFrame1, m_pStatus1, status.line1);
    SetStatusLine(m_pStatusFrame2, m_pStatus2, status.line2);
}

void CBfndDlg::SetStatusLine(QFrame *frame, QLabel *label, const CBfndStatusLine &line)
{
    QPalette colours = frame->palette();
    QColor background(0xC0, 0xC0, 0xC0);
    QColor text = palette().color(QPalette::WindowText);
    if (line.look == BfndStatusLook::White) {
        background = Qt::white;
    } else if (line.look == BfndStatusLook::Highlight) {
        background = palette().color(QPalette::Highlight);
        text = QColor(0xFF, 0xFF, 0x00);
    }
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    frame->setPalette(colours);
    label->setPalette(colours);
    label->setText(line.text);
}

void CBfndDlg::StartEdit()
{
    {
        const QSignalBlocker block(m_pResult);
        m_pResult->setCurrentRow(-1);
    }
    m_pBasket->setEnabled(false);
    SetStatusLine(m_pStatusFrame1, m_pStatus1, {});
    SetStatusLine(m_pStatusFrame2, m_pStatus2, {});
}

void CBfndDlg::OnNumberEdited()
{
    StartEdit();
    m_pText->clear();
    if (!m_pApNumber->text().isEmpty()) {
        m_pApNumber->clear();
        m_pHint->clear();
    }
    m_pSearch->setEnabled(BfndSearchAllowed(BfndSearchField::Number, m_pNumber->text()));
}

void CBfndDlg::OnTextEdited()
{
    StartEdit();
    m_pNumber->clear();
    if (!m_pApNumber->text().isEmpty()) {
        m_pApNumber->clear();
        m_pHint->clear();
    }
    m_pSearch->setEnabled(BfndSearchAllowed(BfndSearchField::Text, m_pText->text()));
}

void CBfndDlg::OnApNumberEdited()
{
    StartEdit();
    m_pText->clear();
    m_pNumber->clear();
    m_pHint->clear();
    const int length = int(m_pApNumber->text().size());
    if (length == kApNumberLength)
        m_pApNumber->selectAll();
    m_pSearch->setEnabled(BfndSearchAllowed(BfndSearchField::ApNumber, m_pApNumber->text()));
}

void CBfndDlg::AddFindingToBasket(int index)
{
    CWkBasket *basket = Basket();
    if (!basket || !m_pRows)
        return;
    const int at = index < 0 ? m_pResult->currentRow() : index;
    std::unique_ptr<CPosition> position = CBfndRows::FindingPosition(m_pRows->Result(), at);
    if (!position)
        return;
    CWKListItem entry(std::move(position));
    CWkDuplicateAsk question([this](const CWKListItem &) {
        return WkStoreAgainOrOverwrite(OwnMsgBox(OrmelText(kFindingStored), this, kMsgBoxTitle,
                                                 MSG_ALIGN_NOTICE, MB_STOREAGAIN_OVERWRITE));
    });
    if (basket->Offer(entry, &question) == WkOffered::Refused)
        OwnMsgBox(OrmelText(kFindingRefused), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
}

void CBfndDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert && m_pResult && m_pResult->hasFocus()) {
        AddFindingToBasket(-1);
        return;
    }
    if (event->key() == Qt::Key_Backspace && (m_pUpper->hasFocus() || m_pResult->hasFocus())) {
        OnLevelUp();
        return;
    }
    CPageDlg::keyPressEvent(event);
}
