#include "basket/LabourEditDlg.h"

#include "packages/model/Position.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kTextLimit = 40;
constexpr int kAzLimit = 5;

QLineEdit *Shown(const QString &text, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setReadOnly(true);
    return edit;
}

} // namespace

CLabourEditDlg::CLabourEditDlg(const CWkLabourEdit &fields, QWidget *parent)
    : QDialog(parent), m_fields(fields), m_strAzAtOpening(fields.AzField)
{
    setWindowTitle(OrmelText(3045) + QStringLiteral(" - ") + OrmelText(3093));
    auto *form = new QFormLayout;
    form->addRow(OrmelText(3005), Shown(fields.Number, this));
    const QString texts[] = {fields.AwText1, fields.AwText2, fields.AwText3, fields.AwText4};
    const QString brackets[] = {fields.KlammerText1, fields.KlammerText2, fields.KlammerText3,
                                fields.KlammerText4};
    for (int i = 0; i < 4; ++i) {
        m_pTexts[i] = new QLineEdit(texts[i], this);
        m_pTexts[i]->setMaxLength(kTextLimit);
        m_pTexts[i]->setObjectName(QStringLiteral("text%1").arg(i + 1));
        form->addRow(i == 0 ? OrmelText(3088) : QString(), m_pTexts[i]);
    }
    for (int i = 0; i < 4; ++i) {
        m_pBrackets[i] = new QLineEdit(brackets[i], this);
        m_pBrackets[i]->setMaxLength(kTextLimit);
        m_pBrackets[i]->setObjectName(QStringLiteral("bracket%1").arg(i + 1));
        form->addRow(QString(), m_pBrackets[i]);
    }
    form->addRow(OrmelText(3030), Shown(fields.ValueField, this));
    m_pAz = new QLineEdit(fields.AzField, this);
    m_pAz->setObjectName(QStringLiteral("azField"));
    m_pAz->setMaxLength(kAzLimit);
    m_pAz->setEnabled(!m_strAzAtOpening.isEmpty());
    form->addRow(OrmelText(3012), m_pAz);
    form->addRow(OrmelText(3010) + QStringLiteral("^2"), Shown(fields.Flaeche, this));
    form->addRow(OrmelText(3013), Shown(fields.Lackstufe, this));
    form->addRow(QStringLiteral("M"), Shown(fields.M, this));
    form->addRow(QStringLiteral("R"), Shown(fields.R, this));
    form->addRow(QStringLiteral("U"), Shown(fields.U, this));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(OrmelText(2016));
    buttons->button(QDialogButtonBox::Cancel)->setText(OrmelText(2025));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

CWkLabourEdit CLabourEditDlg::Fields() const
{
    CWkLabourEdit f = m_fields;
    QString *texts[] = {&f.AwText1, &f.AwText2, &f.AwText3, &f.AwText4};
    QString *brackets[] = {&f.KlammerText1, &f.KlammerText2, &f.KlammerText3, &f.KlammerText4};
    for (int i = 0; i < 4; ++i) {
        *texts[i] = m_pTexts[i]->text();
        *brackets[i] = m_pBrackets[i]->text();
    }
    f.AzField = m_pAz->text();
    return f;
}

bool CLabourEditDlg::IsValidTimeField(const QString &atOpening, const QString &entered)
{
    if (atOpening.isEmpty())
        return true;
    if (entered == CPosition::AzMarker())
        return true;
    return !entered.isEmpty() && std::all_of(entered.begin(), entered.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

void CLabourEditDlg::accept()
{
    if (!IsValidTimeField(m_strAzAtOpening, m_pAz->text())) {
        OwnMsgBox(OrmelText(4054), this, kMsgBoxTitle, MSG_ALIGN_NOTICE);
        return;
    }
    QDialog::accept();
}
