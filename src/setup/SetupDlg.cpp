#include "setup/SetupDlg.h"

#include "common/PageHost.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
// The labels of the settings.
constexpr int kTextLanguage = 7310;
constexpr int kTextSound = 7311;
constexpr int kTextPreview = 7312;
constexpr int kTextCountrySpec = 7313;
constexpr int kTextMarketing = 7314;
constexpr int kTextPriceEditing = 7315;
constexpr int kTextJobEdit = 7316;
} // namespace

CSetupDlg::CSetupDlg() = default;
CSetupDlg::~CSetupDlg() = default;

void CSetupDlg::BuildPage(QVBoxLayout *body)
{
    auto *general = new QGroupBox(this);
    general->setObjectName(QStringLiteral("generalGroup"));
    auto *generalForm = new QFormLayout(general);
    m_pLanguage = new QComboBox(general);
    m_pLanguage->setObjectName(QStringLiteral("languageCombo"));
    m_pSound = new QCheckBox(general);
    m_pSound->setObjectName(QStringLiteral("soundCheck"));
    m_pPreview = new QCheckBox(general);
    m_pPreview->setObjectName(QStringLiteral("previewCheck"));
    auto *languageLabel = new QLabel(general);
    languageLabel->setObjectName(QStringLiteral("languageLabel"));
    languageLabel->setBuddy(m_pLanguage);
    generalForm->addRow(languageLabel, m_pLanguage);
    generalForm->addRow(m_pSound);
    generalForm->addRow(m_pPreview);
    body->addWidget(general);

    auto *packages = new QGroupBox(this);
    packages->setObjectName(QStringLiteral("packageGroup"));
    auto *packageForm = new QVBoxLayout(packages);
    m_pCountrySpec = new QCheckBox(packages);
    m_pCountrySpec->setObjectName(QStringLiteral("countrySpecPaketsCheck"));
    m_pMarketing = new QCheckBox(packages);
    m_pMarketing->setObjectName(QStringLiteral("marketingCampaignsCheck"));
    m_pPriceEditing = new QCheckBox(packages);
    m_pPriceEditing->setObjectName(QStringLiteral("priceEditingCheck"));
    m_pJobEdit = new QCheckBox(packages);
    m_pJobEdit->setObjectName(QStringLiteral("jobEditCheck"));
    for (QCheckBox *box : {m_pCountrySpec, m_pMarketing, m_pPriceEditing, m_pJobEdit}) {
        packageForm->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &CSetupDlg::OnPackageSettingChanged);
    }
    body->addWidget(packages);
    body->addStretch(1);

    connect(m_pLanguage, &QComboBox::activated, this,
            [this](int index) { ChangeProgramLanguage(m_pLanguage->itemData(index).toString()); });
    connect(m_pSound, &QCheckBox::clicked, this,
            [this](bool on) { m_pSettings->Sound = on ? 1 : 0; });
    connect(m_pPreview, &QCheckBox::clicked, this,
            [this](bool on) { m_pSettings->Preview = on ? 1 : 0; });

    SetTexts();
    FillLanguageCombo();
    UpdateSRPControls();
}

void CSetupDlg::SetTexts()
{
    SetCaptionText(OrmelText(3042));
    findChild<QGroupBox *>(QStringLiteral("generalGroup"))->setTitle(OrmelText(3042));
    findChild<QGroupBox *>(QStringLiteral("packageGroup"))->setTitle(OrmelText(3183));
    findChild<QLabel *>(QStringLiteral("languageLabel"))->setText(OrmelText(kTextLanguage));
    m_pSound->setText(OrmelText(kTextSound));
    m_pPreview->setText(OrmelText(kTextPreview));
    m_pCountrySpec->setText(OrmelText(kTextCountrySpec));
    m_pMarketing->setText(OrmelText(kTextMarketing));
    m_pPriceEditing->setText(OrmelText(kTextPriceEditing));
    m_pJobEdit->setText(OrmelText(kTextJobEdit));
}

void CSetupDlg::FillLanguageCombo()
{
    const QSignalBlocker blocker(m_pLanguage);
    m_pLanguage->clear();
    const QString current = GetPrgSprache();
    for (const CSprachEintrag &language : m_pSettings->SprachListe) {
        QString name = OrmelText(language.nStringId);
        if (name.isEmpty())
            name = language.strCode;
        m_pLanguage->addItem(name, language.strCode);
        if (language.strCode == current)
            m_pLanguage->setCurrentIndex(m_pLanguage->count() - 1);
    }
}

void CSetupDlg::UpdateSRPControls()
{
    if (!IsCreated())
        return;
    const CPrgSettings &s = *m_pSettings;
    const struct
    {
        QCheckBox *box;
        int value;
    } controls[] = {{m_pCountrySpec, s.CountrySpecPakets},
                    {m_pMarketing, s.MarketingCampaigns},
                    {m_pPriceEditing, s.DirUserPriceEditing},
                    {m_pJobEdit, s.JobEdit},
                    {m_pSound, s.Sound},
                    {m_pPreview, s.Preview}};
    for (const auto &control : controls) {
        const QSignalBlocker blocker(control.box);
        control.box->setChecked(control.value != 0);
        control.box->setEnabled(true);
    }
}

void CSetupDlg::OnPackageSettingChanged()
{
    CPrgSettings &s = *m_pSettings;
    const int marketingBefore = s.MarketingCampaigns;
    s.CountrySpecPakets = m_pCountrySpec->isChecked() ? 1 : 0;
    s.MarketingCampaigns = m_pMarketing->isChecked() ? 1 : 0;
    s.DirUserPriceEditing = m_pPriceEditing->isChecked() ? 1 : 0;
    s.JobEdit = m_pJobEdit->isChecked() ? 1 : 0;
    if (!m_pHost)
        return;
    // The first-registration field of the head row exists only with the
    // marketing campaigns. The head row stays locked while the settings
    // are open; the home page unlocks it again.
    if (marketingBefore != s.MarketingCampaigns)
        m_pHost->ResetVehicleFields(false, false);
    CChangeFlags changes;
    changes.bSetup1 = 1;
    m_pHost->SetIdentChanged(changes);
}

void CSetupDlg::ChangeProgramLanguage(const QString &code)
{
    if (code.isEmpty() || code == GetPrgSprache())
        return;
    SetPrgSprache(code);
    m_pSettings->GetTitle();
    SetTexts();
    FillLanguageCombo();
    if (!m_pHost)
        return;
    m_pHost->SetCaptions();
    // The hand-entered vehicle fields belong to an identified vehicle (its
    // seven-character short VIN) and are kept; without one they are reset,
    // so their hint text follows the new language. They stay locked while
    // the settings are open.
    const bool vin7 = m_pSettings->Fgstnr.size() == 7;
    m_pHost->ResetVehicleFields(false, !vin7);
    m_pHost->SetHomeButtonTexts();
    CChangeFlags changes;
    changes.bSprache = 1;
    m_pHost->SetIdentChanged(changes);
}
