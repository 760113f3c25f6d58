#include "basket/print/WkDruckDlg.h"

#include "basket/print/BasketPrintData.h"
#include "basket/print/BasketPrintFields.h"
#include "basket/print/BasketPrintFormat.h"
#include "common/DlgButtonRow.h"
#include "common/InputCheck.h"
#include "common/OwnSound.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"
#include "setup/SetupDruckDlg.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>

namespace {

bool staysWithTheField(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
           event->key() == Qt::Key_Escape;
}

// The form's own texts look like labels with a border: read-only, in the
// dialog's colour, and out of the tab order.
void makeShown(QWidget *field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    field->setFocusPolicy(Qt::NoFocus);
}

void setFontOf(QWidget *field, double scale, bool bold)
{
    QFont font = field->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    font.setBold(bold);
    field->setFont(font);
}

// A line set by the program shows its start, as the paper does (a line
// edit shows the end of a long text it was given); not the line the adviser
// is typing in.
void showStarts(const QWidget *dialog)
{
    for (QLineEdit *field : dialog->findChildren<QLineEdit *>()) {
        if (!field->hasFocus())
            field->setCursorPosition(0);
    }
}

QLineEdit *shownField(QWidget *parent, const QString &name, int maxLength = 0)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    if (maxLength)
        field->setMaxLength(maxLength);
    makeShown(field);
    return field;
}

QPlainTextEdit *shownLines(QWidget *parent, const QString &name, int lines)
{
    auto *field = new QPlainTextEdit(parent);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFixedHeight(field->fontMetrics().lineSpacing() * lines + 10);
    makeShown(field);
    return field;
}

// Wide enough for its text and the sample text: captions and dates are
// never cut.
void fitText(QLineEdit *field, const QString &sample = QString())
{
    const QFontMetrics metrics = field->fontMetrics();
    const int width =
        std::max(metrics.horizontalAdvance(field->text()), metrics.horizontalAdvance(sample));
    field->setMinimumWidth(width + 16);
}

// The company in the grey of the letterhead, the brand heading and the
// title large and bold, as the form prints them.
void styleFormHead(QLineEdit *firma, QLineEdit *brand, QLineEdit *title)
{
    setFontOf(firma, 1.4, true);
    QPalette palette = firma->palette();
    palette.setColor(QPalette::Text, QColor(80, 80, 80));
    firma->setPalette(palette);
    setFontOf(brand, 1.6, true);
    brand->setAlignment(Qt::AlignRight);
    setFontOf(title, 1.4, true);
}

// The head of the form as both dialogs show it: the company and the brand
// heading, the title, and the number, date and validity with their captions
// at the right. Fields are created by the caller and placed here.
void placeFormHead(QVBoxLayout *layout, QWidget *firma, QWidget *brand, QWidget *title,
                   QWidget *const captions[3], QWidget *const values[3])
{
    auto *letterhead = new QHBoxLayout;
    letterhead->addWidget(firma, 3);
    letterhead->addWidget(brand, 2);
    layout->addLayout(letterhead);
    auto *titleRow = new QHBoxLayout;
    titleRow->addWidget(title, 1);
    titleRow->addStretch(1);
    layout->addLayout(titleRow);
    auto *numbers = new QGridLayout;
    numbers->setColumnStretch(0, 111);
    for (int i = 0; i < 3; ++i) {
        numbers->addWidget(captions[i], 0, i + 1);
        numbers->addWidget(values[i], 1, i + 1);
    }
    numbers->setColumnStretch(1, 33);
    numbers->setColumnStretch(2, 19);
    numbers->setColumnStretch(3, 19);
    layout->addLayout(numbers);
}

// Only the date, the validity and the further information lines have a
// limit; at the limit the edit refuses further keys and cuts a pasted text,
// so that it keeps the start of what was typed. The paper is kept where it
// is drawn (BasketPrintFitLine), never by bounding an edit.
void boundToField(QLineEdit *edit, int field)
{
    if (const int maxLength = BasketPrintFieldMaxLength(field))
        edit->setMaxLength(maxLength);
}

} // namespace

CWkDruckDlg::CWkDruckDlg(CPrgSettings *settings, const QString &date, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("WkDruckDlg"));
    setWindowTitle(OrmelText(6060));
    auto *layout = new QVBoxLayout(this);

    // The choice of the form and the two dialogs it opens.
    auto *choice = new QHBoxLayout;
    m_pStandard = new QRadioButton(OrmelText(6046), this);
    m_pStandard->setObjectName(QStringLiteral("standardForm"));
    m_pInfo = new QRadioButton(OrmelText(6047), this);
    m_pInfo->setObjectName(QStringLiteral("infoSheet"));
    m_pRemark = new QPushButton(OrmelText(6081), this);
    m_pRemark->setObjectName(QStringLiteral("remark"));
    m_pDefaults = new QPushButton(OrmelText(6059), this);
    m_pDefaults->setObjectName(QStringLiteral("printDefaults"));
    choice->addWidget(m_pStandard);
    choice->addWidget(m_pInfo);
    choice->addStretch(1);
    choice->addWidget(m_pRemark);
    choice->addWidget(m_pDefaults);
    layout->addLayout(choice);

    // The form, laid out as it prints.
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("formFrame"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto *form = new QVBoxLayout(frame);
    layout->addWidget(frame);

    m_pFirmaHead = shownField(frame, QStringLiteral("firmaHead"));
    m_pBrand = shownField(frame, QStringLiteral("brandHeading"));
    m_pTitle = shownField(frame, QStringLiteral("formTitle"));
    styleFormHead(m_pFirmaHead, m_pBrand, m_pTitle);
    m_pNumberCaption = shownField(frame, QStringLiteral("numberCaption"));
    m_pDateCaption = shownField(frame, QStringLiteral("dateCaption"));
    m_pValidCaption = shownField(frame, QStringLiteral("validCaption"));
    m_pDateCaption->setText(OrmelText(3008));
    m_pValidCaption->setText(OrmelText(6026));
    m_pOfferNumber = AddEdit(QStringLiteral("offerNumber"), BPT_OFFER_NUMBER, BPFLD_OFFER_NUMBER);
    m_pDate = new QLineEdit(frame);
    m_pDate->setObjectName(QStringLiteral("date"));
    boundToField(m_pDate, BPFLD_DATE);
    m_pDate->setText(date);
    connect(m_pDate, &QLineEdit::textChanged, this, [this] { FilterNumeric(m_pDate); });
    m_pValidUntil = AddEdit(QStringLiteral("validUntil"), BPT_VALID_UNTIL, BPFLD_VALID_UNTIL);
    for (QLineEdit *field : {m_pDateCaption, m_pValidCaption, m_pDate, m_pValidUntil})
        fitText(field, QStringLiteral("88.88.8888"));
    {
        QWidget *const captions[3] = {m_pNumberCaption, m_pDateCaption, m_pValidCaption};
        QWidget *const values[3] = {m_pOfferNumber, m_pDate, m_pValidUntil};
        placeFormHead(form, m_pFirmaHead, m_pBrand, m_pTitle, captions, values);
    }

    // The customer at the left; the dealer's address, the adviser and his
    // telephone and fax at the right.
    auto *address = new QHBoxLayout;
    auto *customer = new QVBoxLayout;
    auto *customerLabel = new QLabel(OrmelText(3065) + QLatin1Char(':'), frame);
    customerLabel->setObjectName(QStringLiteral("customerLabel"));
    customer->addWidget(customerLabel);
    for (int i = 0; i < 5; ++i)
        customer->addWidget(
            AddEdit(QStringLiteral("customer%1").arg(i + 1), BPT_CUSTOMER1 + i, BPFLD_CUSTOMER));
    customer->addStretch(1);
    address->addLayout(customer, 1);
    auto *dealer = new QGridLayout;
    const char *const captionNames[4] = {"firmaCaption", "strasseCaption", "cityCaption",
                                         "city2Caption"};
    const char *const valueNames[4] = {"firma", "strasse", "city", "city2"};
    for (int i = 0; i < 4; ++i) {
        m_pCaptions[i] = shownField(frame, QString::fromLatin1(captionNames[i]));
        m_pCaptions[i]->setAlignment(Qt::AlignRight);
        m_pLetterhead[i] = shownField(frame, QString::fromLatin1(valueNames[i]));
        dealer->addWidget(m_pCaptions[i], i, 0);
        dealer->addWidget(m_pLetterhead[i], i, 1);
    }
    setFontOf(m_pCaptions[0], 1.0, true);
    setFontOf(m_pLetterhead[0], 1.0, true);
    m_pOfferedBy = shownField(frame, QStringLiteral("offeredByCaption"));
    m_pOfferedBy->setAlignment(Qt::AlignRight);
    m_pUser = new QLineEdit(frame);
    m_pUser->setObjectName(QStringLiteral("user"));
    boundToField(m_pUser, BPFLD_USER);
    auto *telCaption = shownField(frame, QStringLiteral("telCaption"));
    telCaption->setText(OrmelText(6029));
    telCaption->setAlignment(Qt::AlignRight);
    m_pTel = new QLineEdit(frame);
    m_pTel->setObjectName(QStringLiteral("tel"));
    boundToField(m_pTel, BPFLD_TEL);
    auto *faxCaption = shownField(frame, QStringLiteral("faxCaption"));
    faxCaption->setText(OrmelText(6030));
    faxCaption->setAlignment(Qt::AlignRight);
    m_pFax = new QLineEdit(frame);
    m_pFax->setObjectName(QStringLiteral("fax"));
    boundToField(m_pFax, BPFLD_FAX);
    dealer->addWidget(m_pOfferedBy, 4, 0);
    dealer->addWidget(m_pUser, 4, 1);
    dealer->addWidget(telCaption, 5, 0);
    dealer->addWidget(m_pTel, 5, 1);
    dealer->addWidget(faxCaption, 6, 0);
    dealer->addWidget(m_pFax, 6, 1);
    dealer->setColumnStretch(0, 1);
    dealer->setColumnStretch(1, 2);
    address->addLayout(dealer, 1);
    form->addLayout(address);

    // The vehicle block: its values come from the head row; the further
    // information (the information sheet's remarks) is typed here.
    auto *vehicle = new QGridLayout;
    auto *modelCaption = shownField(frame, QStringLiteral("modelCaption"));
    modelCaption->setText(OrmelText(3018));
    auto *vehicleCaption = shownField(frame, QStringLiteral("vehicleCaption"));
    vehicleCaption->setText(OrmelText(6031));
    m_pInfoCaption = shownField(frame, QStringLiteral("infoCaption"));
    vehicle->addWidget(modelCaption, 0, 0);
    vehicle->addWidget(vehicleCaption, 0, 1);
    vehicle->addWidget(m_pInfoCaption, 0, 2);
    for (int i = 0; i < 3; ++i)
        vehicle->addWidget(AddEdit(QStringLiteral("info%1").arg(i + 1), BPT_INFO1 + i, BPFLD_INFO),
                           i + 1, 2);
    vehicle->setColumnStretch(0, 33);
    vehicle->setColumnStretch(1, 78);
    vehicle->setColumnStretch(2, 67);
    form->addLayout(vehicle);

    // The heads of the article table.
    auto *heads = new QHBoxLayout;
    const struct
    {
        const char *name;
        int text;
        int width; // mm on the form
    } kHeads[] = {{"headArticle", 6033, 33},
                  {"headDesignation", 6034, 78},
                  {"headQuantity", 3122, 19},
                  {"headUnitPrice", 6035, 19},
                  {"headPrice", 3127, 29}};
    for (const auto &h : kHeads) {
        auto *head = shownField(frame, QString::fromLatin1(h.name));
        head->setText(OrmelText(h.text));
        setFontOf(head, 1.0, true);
        if (h.text == 3127)
            head->setAlignment(Qt::AlignRight);
        fitText(head);
        heads->addWidget(head, h.width);
    }
    form->addLayout(heads);

    // The closing block: the terms at the left, the sums' captions and the
    // signature line at the right.
    auto *closing = new QHBoxLayout;
    auto *terms = new QVBoxLayout;
    m_pTerms = shownLines(frame, QStringLiteral("terms"), 3);
    m_pTerms2 = shownLines(frame, QStringLiteral("terms2"), 3);
    terms->addWidget(m_pTerms);
    terms->addWidget(m_pTerms2);
    closing->addLayout(terms, 107);
    auto *sums = new QVBoxLayout;
    m_pNetto = shownField(frame, QStringLiteral("nettoCaption"));
    m_pMwSt = shownField(frame, QStringLiteral("mwstCaption"));
    m_pBrutto = shownField(frame, QStringLiteral("bruttoCaption"));
    auto *signature = shownField(frame, QStringLiteral("signature"));
    signature->setText(OrmelText(6036));
    for (QWidget *field : {m_pNetto, m_pMwSt, m_pBrutto})
        sums->addWidget(field);
    sums->addStretch(1);
    sums->addWidget(signature);
    closing->addLayout(sums, 67);
    form->addLayout(closing);

    auto *buttons = new QHBoxLayout;
    auto *print = new QPushButton(OrmelText(2024), this);
    print->setObjectName(QStringLiteral("print"));
    m_pPdf = new QPushButton(OrmelText(7022), this);
    m_pPdf->setObjectName(QStringLiteral("pdf"));
    auto *cancel = new QPushButton(OrmelText(2025), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto *help = new QPushButton(QStringLiteral("?"), this);
    help->setObjectName(QStringLiteral("help"));
    buttons->addStretch(1);
    for (QPushButton *b : {print, m_pPdf, cancel, help})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);

    connect(m_pStandard, &QRadioButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        SelectForm(BPF_STANDARD);
    });
    connect(m_pInfo, &QRadioButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        SelectForm(BPF_INFO_SHEET);
    });
    connect(m_pRemark, &QPushButton::clicked, this, &CWkDruckDlg::OnRemark);
    connect(m_pDefaults, &QPushButton::clicked, this, &CWkDruckDlg::OnPrintDefaults);
    connect(print, &QPushButton::clicked, this, [this] { Finish(WKDRUCK_PRINT); });
    connect(m_pPdf, &QPushButton::clicked, this, [this] { Finish(WKDRUCK_PDF); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        PlaySoundSelected(m_pSettings);
        done(WKDRUCK_CANCEL);
    });
    connect(help, &QPushButton::clicked, this, [this] { OnHelp(kHelpContext); });
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { OnHelp(kHelpContext); });

    ShowLetterhead();
    SelectForm(settings->nBasketPrintForm == 0 ? BPF_STANDARD : BPF_INFO_SHEET);
    m_pDefaults->setEnabled(!settings->DealerDataStorage.isEmpty());
    print->setFocus();
}

QLineEdit *CWkDruckDlg::AddEdit(const QString &name, int textIndex, int field)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    boundToField(edit, field);
    // Shown, not written back: opening the dialog changes nothing stored,
    // also where the edit shows less than is stored.
    edit->setText(GetPrintText(*m_pSettings, textIndex));
    connect(edit, &QLineEdit::textChanged, this, [this, edit, textIndex] {
        if (textIndex == BPT_VALID_UNTIL)
            FilterNumeric(edit);
        SetPrintText(*m_pSettings, textIndex, edit->text());
    });
    return edit;
}

void CWkDruckDlg::FilterNumeric(QLineEdit *edit)
{
    QString text = edit->text();
    int cursor = edit->cursorPosition();
    bool changed = false;
    for (int at = CheckNumericInput(text); at >= 0; at = CheckNumericInput(text)) {
        if (at < cursor)
            --cursor;
        changed = true;
    }
    if (changed) {
        const QSignalBlocker blocker(edit);
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
}

QString CWkDruckDlg::Date() const
{
    return WithoutTrailingBlanks(m_pDate->text());
}

CWkDkZusHeader CWkDruckDlg::Header() const
{
    CWkDkZusHeader h;
    h.firma = m_pFirmaHead->text();
    h.brand = m_pBrand->text();
    h.title = m_pTitle->text();
    h.numberCaption = m_pNumberCaption->text();
    h.dateCaption = m_pDateCaption->text();
    h.validCaption = m_pValidCaption->text();
    h.offerNumber = m_pOfferNumber->text();
    h.date = m_pDate->text();
    h.validUntil = m_pValidUntil->text();
    return h;
}

void CWkDruckDlg::ShowLetterhead()
{
    const CPrgSettings &s = *m_pSettings;
    m_pFirmaHead->setText(s.Firma);
    const QString captions[4] = {s.FirmaT, s.StrasseT, s.CityT, s.City2T};
    const QString values[4] = {s.Firma, s.Strasse, s.City, s.City2};
    for (int i = 0; i < 4; ++i) {
        m_pCaptions[i]->setText(captions[i]);
        m_pLetterhead[i]->setText(values[i]);
    }
    m_pOfferedBy->setText(s.AngebotenDurch);
    m_pUser->setText(s.User);
    m_pTel->setText(OfferedTel(s));
    m_pFax->setText(OfferedFax(s));
    m_pNetto->setText(s.Netto);
    m_pMwSt->setText(s.MwSt);
    m_pBrutto->setText(s.Brutto);
    m_pTerms->setPlainText(DealerTextLines(s.AGB));
    m_pTerms2->setPlainText(DealerTextLines(s.AGB2));
    showStarts(this);
}

void CWkDruckDlg::SelectForm(int form)
{
    SelectPrintForm(*m_pSettings, form);
    const bool standard = form == BPF_STANDARD;
    m_pStandard->setChecked(standard);
    m_pInfo->setChecked(!standard);
    m_pBrand->setText(GetPrintText(*m_pSettings, BPT_BRAND));
    m_pTitle->setText(standard ? m_pSettings->TitelAngebotDruck : OrmelText(3196));
    m_pNumberCaption->setText(standard ? m_pSettings->Nummer : QString());
    fitText(m_pNumberCaption);
    m_pInfoCaption->setText(OrmelText(standard ? 6032 : 3071));
    {
        const QSignalBlocker blocker(m_pOfferNumber);
        m_pOfferNumber->setText(standard ? GetPrintText(*m_pSettings, BPT_OFFER_NUMBER)
                                         : QString());
    }
    m_pOfferNumber->setEnabled(standard);
    m_pRemark->setEnabled(standard);
    m_pPdf->setEnabled(standard);
    showStarts(this);
}

void CWkDruckDlg::OnHelp(int context)
{
    PlaySoundSelected(m_pSettings);
    if (m_help)
        m_help(context);
}

void CWkDruckDlg::OnRemark()
{
    PlaySoundSelected(m_pSettings);
    CWkDkZusDlg dialog(m_pSettings, Header(), this);
    dialog.SetHelp([this] { OnHelp(kRemarkHelpContext); });
    dialog.exec();
}

void CWkDruckDlg::OnPrintDefaults()
{
    PlaySoundSelected(m_pSettings);
    CSetupDruckDlg dialog(m_pSettings, this);
    dialog.SetHelp(m_help);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    // The dealer file as written; the offer is what the defaults shape.
    TakePrintDefaults(*m_pSettings);
    ShowLetterhead();
    SelectForm(m_pSettings->nBasketPrintForm);
}

void CWkDruckDlg::Finish(int result)
{
    PlaySoundSelected(m_pSettings);
    FinishPrintFields(*m_pSettings, m_pTel->text(), m_pFax->text(), m_pUser->text());
    done(result);
}

void CWkDruckDlg::reject()
{
    done(WKDRUCK_CANCEL);
}

void CWkDruckDlg::keyPressEvent(QKeyEvent *event)
{
    if (staysWithTheField(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

CWkDkZusDlg::CWkDkZusDlg(CPrgSettings *settings, const CWkDkZusHeader &header, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("WkDkZusDlg"));
    setWindowTitle(OrmelText(6081));
    auto *layout = new QVBoxLayout(this);
    const struct
    {
        const char *name;
        const QString &text;
    } kHeader[] = {{"firmaHead", header.firma},         {"brandHeading", header.brand},
                   {"formTitle", header.title},         {"numberCaption", header.numberCaption},
                   {"dateCaption", header.dateCaption}, {"validCaption", header.validCaption},
                   {"offerNumber", header.offerNumber}, {"date", header.date},
                   {"validUntil", header.validUntil}};
    QLineEdit *fields[9] = {};
    for (int i = 0; i < 9; ++i) {
        fields[i] = shownField(this, QString::fromLatin1(kHeader[i].name), i == 7 ? 10 : 0);
        fields[i]->setText(kHeader[i].text);
    }
    showStarts(this);
    styleFormHead(fields[0], fields[1], fields[2]);
    for (int i = 3; i < 9; ++i)
        fitText(fields[i], QStringLiteral("88.88.8888"));
    QWidget *const captions[3] = {fields[3], fields[4], fields[5]};
    QWidget *const values[3] = {fields[6], fields[7], fields[8]};
    placeFormHead(layout, fields[0], fields[1], fields[2], captions, values);

    m_pRemark = new QPlainTextEdit(GetPrintText(*settings, BPT_REMARK), this);
    m_pRemark->setObjectName(QStringLiteral("remarkText"));
    // Tab moves on to the buttons like in every other field; Return makes
    // a new line.
    m_pRemark->setTabChangesFocus(true);
    layout->addWidget(m_pRemark, 1);

    AddOkCancelHelpRow(this, layout, m_pSettings, false, [this] {
        if (m_help)
            m_help();
    });
    resize(640, 420);
    m_pRemark->setFocus();
    m_pRemark->moveCursor(QTextCursor::End);
}

void CWkDkZusDlg::accept()
{
    PlaySoundSelected(m_pSettings);
    SetPrintText(*m_pSettings, BPT_REMARK, m_pRemark->toPlainText());
    QDialog::accept();
}

void CWkDkZusDlg::keyPressEvent(QKeyEvent *event)
{
    if (staysWithTheField(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
