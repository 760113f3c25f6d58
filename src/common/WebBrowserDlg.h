#pragma once
// The browser page: local HTML content (news of the brand, wheels and
// tyres, SA list, build state, dealer-individual parts help, spot-repair
// information and content) in an embedded viewer.

#include "common/PageDlg.h"

class QTextBrowser;

class CWebBrowserDlg : public CPageDlg
{
    Q_OBJECT
public:
    CWebBrowserDlg();
    ~CWebBrowserDlg() override;

    // Creates the viewer afresh; false when it cannot be created.
    bool CreateBrowser();
    // Navigates to the document of the mode (0 to 6).
    void ShowPage(int mode);
    void Refresh();
    int Mode() const { return m_nMode; }
    QString CurrentDocument() const;

    // The document of a mode: the file in the program language, or the
    // fallback when that file does not exist. Empty for an unknown mode.
    static QString DocumentPath(const CPrgSettings &settings, int mode, const QString &language);
    // The folder of the brand's news.
    static QString BrandFolder(const QString &brandCode);

    // The application server's address in a session: modes 1 to 3 come
    // from there.
    QString m_strServerBase;

protected:
    void BuildPage(QVBoxLayout *body) override;
    void OnBack() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QVBoxLayout *m_pBody = nullptr;
    QTextBrowser *m_pBrowser = nullptr;
    COwnButton *m_pHistoryBack = nullptr;
    COwnButton *m_pHistoryForward = nullptr;
    COwnButton *m_pHome = nullptr;
    int m_nMode = 0;
};
