#pragma once
// The home page: five large buttons leading to the labour-value catalogue,
// the service packages, the findings, the maintenance topics and the news.

#include "common/PageDlg.h"

class COwnWhiteButton;

class CHomeDlg : public CPageDlg
{
    Q_OBJECT
public:
    CHomeDlg();
    ~CHomeDlg() override;

    // The buttons' texts in the program language.
    void SetButtonTexts();
    // The tool tip of the packages button: the kinds of packages, one a line.
    static QString PaketeToolTip();

    COwnWhiteButton *AwButton() const { return m_pAw; }
    COwnWhiteButton *PaketeButton() const { return m_pPakete; }
    COwnWhiteButton *BefundButton() const { return m_pBefund; }
    COwnWhiteButton *SBLButton() const { return m_pSBL; }
    COwnWhiteButton *NewsButton() const { return m_pNews; }

signals:
    // Tab on the last button leaves the page for the head buttons.
    void tabFromLastButton();

protected:
    void BuildPage(QVBoxLayout *body) override;
    bool HasCaptionLine() const override { return false; }
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void OnAw();

    COwnWhiteButton *m_pAw = nullptr;
    COwnWhiteButton *m_pPakete = nullptr;
    COwnWhiteButton *m_pBefund = nullptr;
    COwnWhiteButton *m_pSBL = nullptr;
    COwnWhiteButton *m_pNews = nullptr;
};
