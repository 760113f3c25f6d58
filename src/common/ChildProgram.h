#pragma once
// A program started beside this one (the sibling programs of the head row,
// the desktop's opener of addresses). It runs in a session of its own, so
// that nothing that ends this program ends it too: not a closed window, not
// a signal to this program, not a terminal that is closed. This program only
// learns when it has ended, without waiting for it.

#include <QObject>
#include <QString>
#include <QStringList>

class QSocketNotifier;
class QTimer;

class CChildProgram : public QObject
{
    Q_OBJECT
public:
    // Why a program could not be started.
    enum class Failure
    {
        None,
        PathNotFound,   // its folder does not exist
        FileNotFound,   // its folder holds no such file
        NotExecutable,  // the file is no program this computer can run
        OutOfResources, // no memory or no process left
        Other,
    };

    explicit CChildProgram(QObject *parent = nullptr);
    // The program, if it still runs, goes on running.
    ~CChildProgram() override;

    // Starts the program with its arguments (each one argument, as given),
    // its output going where this program's goes. False when it cannot be
    // started (Failure and SystemReason say why). Call once per object.
    bool Start(const QString &program, const QStringList &arguments);
    Failure LastFailure() const { return m_failure; }
    // The system's words for a failure of the kind Other.
    QString SystemReason() const { return m_systemReason; }
    bool IsRunning() const { return m_pid > 0; }

signals:
    // The program has ended: its exit code, or crashed when a signal ended it.
    void finished(int exitCode, bool crashed);

private:
    void Reap();

    qint64 m_pid = 0;
    int m_pidFd = -1;
    QSocketNotifier *m_pNotifier = nullptr;
    QTimer *m_pPoll = nullptr;
    Failure m_failure = Failure::None;
    QString m_systemReason;
};
