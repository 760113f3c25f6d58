#include "common/EditNrDlg.h"

#include "common/OwnButton.h"
#include "common/OwnSound.h"
#include "platform/OrmelText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {
constexpr int kTextTitle = 3152;  // "AW - Editieren"
constexpr int kTextOk = 2016;     // "&OK"
constexpr int kTextCancel = 2025; // "Ab&brechen"
constexpr int kMaxDigits = 4;
} // namespace

CEditNrDlg::CEditNrDlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("editNrDialog"));
    setWindowIcon(QIcon(QStringLiteral(":/bitmaps/app.png")));
    setWindowTitle(OrmelText(kTextTitle));

    auto *frame = new QGroupBox(this);
    m_pEdit = new QLineEdit(frame);
    m_pEdit->setObjectName(QStringLiteral("numberField"));
    m_pEdit->setMaxLength(kMaxDigits);
    m_pEdit->setAlignment(Qt::AlignCenter);
    m_pEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMaxDigits)), m_pEdit));
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_pEdit);

    const QColor face = palette().color(QPalette::Window);
    m_pOk = new COwnButton(this);
    m_pOk->setObjectName(QStringLiteral("okButton"));
    m_pOk->Init(QString(), face);
    m_pOk->setText(OrmelText(kTextOk));
    m_pCancel = new COwnButton(this);
    m_pCancel->setObjectName(QStringLiteral("cancelButton"));
    m_pCancel->Init(QString(), face);
    m_pCancel->setText(OrmelText(kTextCancel));
    connect(m_pOk, &QAbstractButton::clicked, this, &CEditNrDlg::OnOk);
    connect(m_pCancel, &QAbstractButton::clicked, this, &CEditNrDlg::OnCancel);
    // Enter in the field is OK.
    connect(m_pEdit, &QLineEdit::returnPressed, m_pOk, &QAbstractButton::click);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_pOk);
    buttons->addWidget(m_pCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

int CEditNrDlg::ResultOf(const QString &initial, const QString &typed)
{
    if (typed.isEmpty() || typed == initial)
        return -1;
    bool number = false;
    const int value = typed.toInt(&number);
    return number && value >= 0 ? value : -1;
}

int CEditNrDlg::DoModal(const QString &initial)
{
    m_strInitial = initial;
    m_pEdit->setText(initial);
    m_pEdit->setFocus();
    m_pEdit->selectAll();
    return exec() == QDialog::Accepted ? ResultOf(m_strInitial, m_pEdit->text()) : -1;
}

void CEditNrDlg::OnOk()
{
    PlaySoundSelected(m_pSettings);
    accept();
}

void CEditNrDlg::OnCancel()
{
    PlaySoundSelected(m_pSettings);
    reject();
}
