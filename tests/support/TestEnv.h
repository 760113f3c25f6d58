#pragma once
// Shared set-up for the test programs: a private profile store, a private
// program folder with a copy of the demo data, and answers for message boxes.
// Brings the test programs' main function along (support/TestMain.h).

#include "platform/MsgBox.h"
#include "support/TestMain.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TestEnv
{
public:
    // Creates a temporary folder, moves the settings profile and the
    // application-data folder into it and names the program "yaq2".
    TestEnv();
    ~TestEnv();

    QString path() const { return m_dir.path(); }
    // Makes <temp>/prog the program folder with a copy of the demo "Datas";
    // returns the program folder (ending in "/").
    QString installDemoProgram();
    // The demo program as above, in German, with a profile as a normal run
    // leaves it: the demo's dealer folder set, and the listener's port one
    // that no program holds.
    QString installDemoWithDealerProfile();
    // Copies a folder recursively.
    static bool copyTree(const QString &from, const QString &to);

    // Answers every message box with the button given and records it.
    void answerBoxes(int button, bool dontShowAgain = false);
    const QList<MsgBoxRequest> &boxes() const { return m_boxes; }

private:
    QTemporaryDir m_dir;
    QList<MsgBoxRequest> m_boxes;
};

// What the process writes to standard error while the capture lives, kept
// in the file.
class StderrCapture
{
public:
    explicit StderrCapture(const QString &file);
    ~StderrCapture();
    StderrCapture(const StderrCapture &) = delete;
    StderrCapture &operator=(const StderrCapture &) = delete;
    // Ends the capture; what was written.
    QString Take();

private:
    QString m_file;
    int m_saved = -1;
};

// Top-level windows shown while the watch lives (their class names).
class WindowWatch : public QObject
{
public:
    WindowWatch();
    QStringList shown;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// A TCP port no program listens on now, on any address (the system's pick):
// for a listener of the program, which takes its port from the profile.
quint16 FreeTcpPort();

// Reads a whole file as text (empty when it cannot be read).
QString readTextFile(const QString &path);
bool writeTextFile(const QString &path, const QByteArray &bytes);
// The text of a clipboard block of UTF-16 (little-endian) characters that
// ends with a zero character; a null string when the block is of another
// form.
QString utf16BlockText(const QByteArray &bytes);
