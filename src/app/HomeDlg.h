#pragma once
// The home page: five large buttons leading to the labour-value catalogue,
// the service packages, the findings, the maintenance topics and the news.

#include <QWidget>

class CPrgSettings;
class COwnWhiteButton;
class IPageHost;

class CHomeDlg : public QWidget
{
    Q_OBJECT
public:
    CHomeDlg();
    ~CHomeDlg() override;

    bool Create(CPrgSettings *settings, int templateId, IPageHost *main, QWidget *parent);
    bool IsCreated() const { return m_bCreated; }

    // The buttons' texts in the program language.
    void SetButtonTexts();
    // The tool tip of the packages button: the kinds of packages, one a line.
    static QString PaketeToolTip();

    void SetPageSize(int width, int height);

    COwnWhiteButton *AwButton() const { return m_pAw; }
    COwnWhiteButton *PaketeButton() const { return m_pPakete; }
    COwnWhiteButton *BefundButton() const { return m_pBefund; }
    COwnWhiteButton *SBLButton() const { return m_pSBL; }
    COwnWhiteButton *NewsButton() const { return m_pNews; }

signals:
    // Tab on the last button leaves the page for the head buttons.
    void tabFromLastButton();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void OnAw();

    CPrgSettings *m_pSettings = nullptr;
    IPageHost *m_pMain = nullptr;
    bool m_bCreated = false;
    int m_nPageWidth = 0;
    int m_nPageHeight = 0;
    COwnWhiteButton *m_pAw = nullptr;
    COwnWhiteButton *m_pPakete = nullptr;
    COwnWhiteButton *m_pBefund = nullptr;
    COwnWhiteButton *m_pSBL = nullptr;
    COwnWhiteButton *m_pNews = nullptr;
};
