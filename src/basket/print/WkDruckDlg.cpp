#include "basket/print/WkDruckDlg.h"

#include "basket/print/BasketPrintData.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString rightTrimmed(const QString &text)
{
    int end = int(text.size());
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace

CWkDruckDlg::CWkDruckDlg(CPrgSettings *settings, const QString &date, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("WkDruckDlg"));
    setWindowTitle(OrmelText(6060));
    auto *layout = new QVBoxLayout(this);
    auto *forms = new QHBoxLayout;
    m_pStandard = new QRadioButton(OrmelText(6046), this);
    m_pStandard->setObjectName(QStringLiteral("standardForm"));
    m_pInfo = new QRadioButton(OrmelText(6047), this);
    m_pInfo->setObjectName(QStringLiteral("infoSheet"));
    forms->addWidget(m_pStandard);
    forms->addWidget(m_pInfo);
    layout->addLayout(forms);

    auto *fields = new QFormLayout;
    layout->addLayout(fields);
    m_pOfferNumber = AddEdit(QStringLiteral("offerNumber"), BPT_OFFER_NUMBER, 0);
    fields->addRow(settings->Nummer, m_pOfferNumber);
    m_pDate = new QLineEdit(date, this);
    m_pDate->setObjectName(QStringLiteral("date"));
    m_pDate->setMaxLength(10);
    connect(m_pDate, &QLineEdit::textChanged, this, [this] { FilterNumeric(m_pDate); });
    fields->addRow(OrmelText(3008), m_pDate);
    m_pValidUntil = AddEdit(QStringLiteral("validUntil"), BPT_VALID_UNTIL, 10);
    fields->addRow(OrmelText(6026), m_pValidUntil);
    for (int i = 0; i < 5; ++i)
        fields->addRow(i == 0 ? OrmelText(3065) : QString(),
                       AddEdit(QStringLiteral("customer%1").arg(i + 1), BPT_CUSTOMER1 + i, 0));
    m_pUser = new QLineEdit(settings->User, this);
    m_pUser->setObjectName(QStringLiteral("user"));
    fields->addRow(settings->AngebotenDurch, m_pUser);
    m_pTel = new QLineEdit(settings->Tel.isEmpty() ? settings->Tel1 : settings->Tel, this);
    m_pTel->setObjectName(QStringLiteral("tel"));
    fields->addRow(OrmelText(6029), m_pTel);
    m_pFax = new QLineEdit(settings->Fax.isEmpty() ? settings->TraderFax : settings->Fax, this);
    m_pFax->setObjectName(QStringLiteral("fax"));
    fields->addRow(OrmelText(6030), m_pFax);
    for (int i = 0; i < 3; ++i)
        fields->addRow(i == 0 ? OrmelText(6032) : QString(),
                       AddEdit(QStringLiteral("info%1").arg(i + 1), BPT_INFO1 + i, 33));

    auto *buttons = new QHBoxLayout;
    m_pRemark = new QPushButton(OrmelText(6081), this);
    m_pRemark->setObjectName(QStringLiteral("remark"));
    auto *print = new QPushButton(OrmelText(2024), this);
    print->setObjectName(QStringLiteral("print"));
    m_pPdf = new QPushButton(OrmelText(7022), this);
    m_pPdf->setObjectName(QStringLiteral("pdf"));
    auto *cancel = new QPushButton(OrmelText(2025), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    for (QPushButton *b : {m_pRemark, print, m_pPdf, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(m_pStandard, &QRadioButton::clicked, this, [this] { SelectForm(BPF_STANDARD); });
    connect(m_pInfo, &QRadioButton::clicked, this, [this] { SelectForm(BPF_INFO_SHEET); });
    connect(m_pRemark, &QPushButton::clicked, this, &CWkDruckDlg::OnRemark);
    connect(print, &QPushButton::clicked, this, [this] { Finish(WKDRUCK_PRINT); });
    connect(m_pPdf, &QPushButton::clicked, this, [this] { Finish(WKDRUCK_PDF); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(WKDRUCK_CANCEL); });
    SelectForm(settings->nBasketPrintForm == 0 ? BPF_STANDARD : BPF_INFO_SHEET);
    print->setFocus();
}

QLineEdit *CWkDruckDlg::AddEdit(const QString &name, int textIndex, int maxLength)
{
    auto *edit = new QLineEdit(
        GetPrintText(*m_pSettings, textIndex).left(maxLength ? maxLength : 32767), this);
    edit->setObjectName(name);
    if (maxLength)
        edit->setMaxLength(maxLength);
    // Return in a field does not print.
    connect(edit, &QLineEdit::returnPressed, this, [] {});
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

int CWkDruckDlg::CheckNumericInput(QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'))
            continue;
        text.remove(i, 1);
        return i;
    }
    return -1;
}

QString CWkDruckDlg::BrandHeading(const QString &brandCode)
{
    return OrmelText(brandCode == QLatin1String("LU") ? 6042 : 6041);
}

QString CWkDruckDlg::Date() const
{
    return rightTrimmed(m_pDate->text());
}

void CWkDruckDlg::SelectForm(int form)
{
    m_pSettings->nBasketPrintForm = form;
    const bool standard = form == BPF_STANDARD;
    m_pStandard->setChecked(standard);
    m_pInfo->setChecked(!standard);
    SetPrintText(*m_pSettings, BPT_BRAND, standard ? BrandHeading(m_pSettings->Marke) : QString());
    {
        const QSignalBlocker blocker(m_pOfferNumber);
        m_pOfferNumber->setText(standard ? GetPrintText(*m_pSettings, BPT_OFFER_NUMBER)
                                         : QString());
    }
    m_pOfferNumber->setEnabled(standard);
    m_pRemark->setEnabled(standard);
    m_pPdf->setEnabled(standard);
}

void CWkDruckDlg::OnRemark()
{
    CWkDkZusDlg dialog(m_pSettings, this);
    dialog.exec();
}

void CWkDruckDlg::Finish(int result)
{
    for (int index : {int(BPT_OFFER_NUMBER), int(BPT_VALID_UNTIL), BPT_CUSTOMER1 + 0,
                      BPT_CUSTOMER1 + 1, BPT_CUSTOMER1 + 2, BPT_CUSTOMER1 + 3, BPT_CUSTOMER1 + 4,
                      BPT_INFO1 + 0, BPT_INFO1 + 1, BPT_INFO1 + 2})
        SetPrintText(*m_pSettings, index, rightTrimmed(GetPrintText(*m_pSettings, index)));
    m_pSettings->AGB = rightTrimmed(m_pSettings->AGB);
    m_pSettings->Tel = m_pTel->text();
    m_pSettings->Fax = m_pFax->text();
    m_pSettings->User = rightTrimmed(m_pUser->text());
    done(result);
}

CWkDkZusDlg::CWkDkZusDlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("WkDkZusDlg"));
    setWindowTitle(OrmelText(6081));
    auto *layout = new QVBoxLayout(this);
    m_pRemark = new QPlainTextEdit(GetPrintText(*settings, BPT_REMARK), this);
    m_pRemark->setObjectName(QStringLiteral("remarkText"));
    layout->addWidget(m_pRemark);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(OrmelText(2016), QDialogButtonBox::AcceptRole);
    buttons->addButton(OrmelText(2025), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_pRemark->setFocus();
    m_pRemark->moveCursor(QTextCursor::End);
}

void CWkDkZusDlg::accept()
{
    SetPrintText(*m_pSettings, BPT_REMARK, m_pRemark->toPlainText());
    QDialog::accept();
}
