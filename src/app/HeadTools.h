#pragma once
// The tools of the main window's head buttons: the help pages in the
// browser, and the sibling programs (the DMS download and the two-wheeler
// program). While a sibling program runs the window takes no input (also
// its close is refused) and shows the wait cursor, but keeps painting and
// serving the DMS listener. A sibling program is never ended by this
// program: it goes on when this program ends, however that comes about.

#include <QObject>
#include <QPointer>

#include <memory>

class CChildProgram;
class CPrgSettings;
class CWaitCursor;
class QWidget;

// What the head tools ask of the window whose head buttons they serve.
class IHeadToolsHost
{
public:
    virtual ~IHeadToolsHost() = default;

    // The window: owner of the messages, stepping aside for a sibling.
    virtual QWidget *Window() = 0;
    // In a session: whether the session still holds (false: the window ends).
    virtual bool PreparePageSwitch() = 0;
    // The visible page, whose help the help button opens.
    virtual int CurrentPage() const = 0;
    virtual void SaveWindowPlacement() = 0;
    // The program language changed: the model names follow it.
    virtual void ReloadModelNames() = 0;
};

class CHeadTools : public QObject
{
    Q_OBJECT
public:
    CHeadTools(IHeadToolsHost &host, CPrgSettings *settings);
    ~CHeadTools() override;

    // The help page of the current page (F1 and the help button).
    void Help();
    void HelpIndex();
    // Help asked for from inside a dialog: the page is already open, so no
    // session check.
    void ShowHelpPage(int context);
    void DmsDownload();
    // The two-wheeler program, which continues in its own language.
    void StartTwoWheeler();
    bool IsSiblingProgramRunning() const { return m_pSibling != nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OpenHelp(int context);
    bool RunSiblingProgram(const QString &program, const QStringList &arguments,
                           const QStringList &shownArguments, bool minimise);

    IHeadToolsHost &m_host;
    CPrgSettings *m_pSettings;
    // Brings the window back as it was before the sibling program.
    void BringWindowBack();

    CChildProgram *m_pSibling = nullptr;
    bool m_bWasMaximised = false;
    // A box that was open when the program ended: the window comes back
    // again once it closes (the window manager may keep a window with a
    // box on it iconic).
    QPointer<QWidget> m_pBoxOnWindow;
    std::unique_ptr<CWaitCursor> m_pWait;
};
