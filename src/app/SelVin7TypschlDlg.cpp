#include "app/SelVin7TypschlDlg.h"

#include "app/VinCheck.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

CSelVin7TypschlDlg::CSelVin7TypschlDlg(const QString &vin7, QWidget *parent)
    : QDialog(parent), m_strVin7(vin7)
{
    setObjectName(QStringLiteral("fullVinDialog"));
    setWindowTitle(OrmelText(7032));
    m_pPrompt = new QLabel(OrmelText(7033), this);
    m_pPrompt->setObjectName(QStringLiteral("fullVinPrompt"));
    m_pPrompt->setWordWrap(true);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setObjectName(QStringLiteral("fullVinEdit"));
    m_pEdit->setMaxLength(CVinCheck::kFullLength);
    auto *buttons = new QDialogButtonBox(this);
    m_pOK = buttons->addButton(QDialogButtonBox::Ok);
    m_pOK->setObjectName(QStringLiteral("okButton"));
    m_pCancel = buttons->addButton(OrmelText(2025), QDialogButtonBox::RejectRole);
    m_pCancel->setObjectName(QStringLiteral("cancelButton"));
    m_pOK->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pPrompt);
    layout->addWidget(m_pEdit);
    layout->addWidget(buttons);

    connect(m_pEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        // VINs are written in capitals; the entry is taken so as it is typed.
        const QString upper = text.toUpper();
        if (upper != text) {
            const QSignalBlocker block(m_pEdit);
            const int pos = m_pEdit->cursorPosition();
            m_pEdit->setText(upper);
            m_pEdit->setCursorPosition(pos);
        }
        m_pOK->setEnabled(upper.size() == CVinCheck::kFullLength);
    });
    connect(m_pOK, &QPushButton::clicked, this, &CSelVin7TypschlDlg::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int CSelVin7TypschlDlg::DoModal()
{
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CSelVin7TypschlDlg::OnOK()
{
    const QString text = m_pEdit->text().toUpper();
    if (text.size() != CVinCheck::kFullLength)
        return;
    m_strVin = text;
    accept();
}
