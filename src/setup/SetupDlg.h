#pragma once
// The settings page: program language, sounds and preview, and the package
// settings of the dealer.

#include "common/PageDlg.h"

class QCheckBox;
class QComboBox;

class CSetupDlg : public CPageDlg
{
    Q_OBJECT
public:
    CSetupDlg();
    ~CSetupDlg() override;

    // Fills and enables the package controls from the settings; runs before
    // the page is shown.
    void UpdateSRPControls();

    // Makes `code` the program language and tells the main window, the home
    // page and every page (as the language combo does).
    void ChangeProgramLanguage(const QString &code);

protected:
    void BuildPage(QVBoxLayout *body) override;

private:
    void FillLanguageCombo();
    void SetTexts();
    void OnPackageSettingChanged();

    QComboBox *m_pLanguage = nullptr;
    QCheckBox *m_pSound = nullptr;
    QCheckBox *m_pPreview = nullptr;
    QCheckBox *m_pCountrySpec = nullptr;
    QCheckBox *m_pMarketing = nullptr;
    QCheckBox *m_pPriceEditing = nullptr;
    QCheckBox *m_pJobEdit = nullptr;
};
