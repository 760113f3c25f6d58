#include "packages/PauschPreisDlg.h"

#include "common/InputCheck.h"
#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel *MakeLabel(int textId, const char *name, QWidget *parent)
{
    auto *label = new QLabel(OrmelText(textId), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLineEdit *MakeEdit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

void SetTextQuietly(QLineEdit *edit, const QString &text)
{
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

} // namespace

CPauschPreisDlg::CPauschPreisDlg(CPosition *head, CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings), m_price(head, settings)
{
    setObjectName(QStringLiteral("CPauschPreisDlg"));
    setWindowTitle(OrmelText(6004));
    setModal(true);

    m_pName = MakeEdit("nameEdit", this);
    m_pName->setText(OrmelText(6010));
    m_pNumber = MakeEdit("numberEdit", this);
    m_pNumber->setText(QStringLiteral("000"));
    m_pStandardPrice = MakeEdit("standardPriceEdit", this);
    m_pStandardPrice->setReadOnly(true);
    m_pStandardPrice->setText(m_price.StandardPriceText());
    m_pPercent = MakeEdit("percentEdit", this);
    m_pNewPrice = MakeEdit("newPriceEdit", this);

    auto *grid = new QGridLayout;
    grid->addWidget(MakeLabel(6008, "nameLabel", this), 0, 0);
    grid->addWidget(m_pName, 0, 1);
    grid->addWidget(MakeLabel(6009, "numberLabel", this), 1, 0);
    grid->addWidget(m_pNumber, 1, 1);
    grid->addWidget(MakeLabel(3125, "grossLabel", this), 2, 1);
    grid->addWidget(MakeLabel(6005, "standardPriceLabel", this), 3, 0);
    grid->addWidget(m_pStandardPrice, 3, 1);
    grid->addWidget(MakeLabel(6006, "percentLabel", this), 4, 0);
    grid->addWidget(m_pPercent, 4, 1);
    grid->addWidget(MakeLabel(6007, "newPriceLabel", this), 5, 0);
    grid->addWidget(m_pNewPrice, 5, 1);

    const QColor face = palette().color(QPalette::Button);
    m_pBack = new COwnButton(this);
    m_pBack->setObjectName(QStringLiteral("backButton"));
    m_pBack->Init(QString(), face);
    m_pBack->setText(QStringLiteral("<"));
    m_pOk = new COwnButton(this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->Init(QString(), face);
    m_pOk->setText(OrmelText(2016));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_pBack);
    buttons->addStretch();
    buttons->addWidget(m_pOk);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_pPercent, &QLineEdit::textEdited, this, &CPauschPreisDlg::OnPercentEdited);
    connect(m_pNewPrice, &QLineEdit::textEdited, this, &CPauschPreisDlg::OnPriceEdited);
    connect(m_pOk, &QAbstractButton::clicked, this, &CPauschPreisDlg::OnOk);
    connect(m_pBack, &QAbstractButton::clicked, this, &QDialog::reject);
    UpdateOkButton();
}

void CPauschPreisDlg::keyPressEvent(QKeyEvent *event)
{
    if (!ClickOnReturn(event, m_pOk))
        QDialog::keyPressEvent(event);
}

void CPauschPreisDlg::UpdateOkButton()
{
    m_pOk->setEnabled(!m_pNewPrice->text().isEmpty());
}

void CPauschPreisDlg::OnPercentEdited()
{
    // A paste may bring several stray characters; each pass removes one.
    while (CheckNumericInput(m_pPercent)) {
    }
    CheckDecimalInput(m_pPercent, 2, 2);
    SetTextQuietly(m_pNewPrice, m_price.PercentEdited(m_pPercent->text()));
    UpdateOkButton();
}

void CPauschPreisDlg::OnPriceEdited()
{
    while (CheckNumericInput(m_pNewPrice)) {
    }
    SetTextQuietly(m_pPercent, m_price.PriceEdited(m_pNewPrice->text()));
    UpdateOkButton();
}

void CPauschPreisDlg::OnOk()
{
    PlaySoundSelected(m_pSettings);
    if (m_price.Apply(m_pNewPrice->text()) == CDirectPrice::Result::ReductionTooHigh) {
        const QString max = m_pSettings ? m_pSettings->MaxPreisNachlass : QString();
        OwnMsgBox(OrmelTextArgs(6050, {max}), this, kMsgBoxTitle, MSG_ALIGN_NOTICE, MB_OK);
        return;
    }
    accept();
}
