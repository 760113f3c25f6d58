#include "support/TestEnv.h"

#include "platform/AppPaths.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTcpServer>
#include <QTest>
#include <QWidget>

#include <cstdio>
#include <unistd.h>

TestEnv::TestEnv()
{
    QCoreApplication::setApplicationName(QStringLiteral("yaq2"));
    QCoreApplication::setOrganizationName(QStringLiteral("ORMEL AG"));
    CProfile::SetStorageFolder(m_dir.path() + QStringLiteral("/profile"));
    qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/appdata")).toUtf8());
    QDir().mkpath(m_dir.path() + QStringLiteral("/appdata"));
}

TestEnv::~TestEnv()
{
    SetMsgBoxResponder({});
    SetAppDirectory(QString());
}

quint16 FreeTcpPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::Any, 0) ? probe.serverPort() : 0;
}

bool TestEnv::copyTree(const QString &from, const QString &to)
{
    QDir source(from);
    if (!source.exists())
        return false;
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

QString TestEnv::installDemoProgram()
{
    const QString prog = m_dir.path() + QStringLiteral("/prog/");
    copyTree(QStringLiteral(YAQ_DEMO_DATAS_DIR), prog + QStringLiteral("Datas"));
    SetAppDirectory(prog);
    return prog;
}

QString TestEnv::installDemoWithDealerProfile()
{
    const QString prog = installDemoProgram();
    SetPrgSprache(QStringLiteral("00"));
    CProfile profile(QStringLiteral("yaq2"));
    profile.WriteProfileString(QStringLiteral("SRP"), QStringLiteral("DealerDataStorage"),
                               prog + QStringLiteral("Datas/Dealer"));
    // A run that turns the listener on (the profile's receive mode, the
    // training edition) takes a port no other program holds.
    profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("ReceiveXMLPort"),
                               QString::number(FreeTcpPort()));
    profile.Sync();
    return prog;
}

void TestEnv::answerBoxes(int button, bool dontShowAgain)
{
    SetMsgBoxResponder([this, button, dontShowAgain](const MsgBoxRequest &request) {
        m_boxes.append(request);
        MsgBoxAnswer answer;
        answer.button = button;
        answer.dontShowAgain = dontShowAgain;
        return answer;
    });
}

QString readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool writeTextFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

QString utf16BlockText(const QByteArray &bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || !bytes.endsWith(QByteArray(2, '\0')))
        return QString();
    QStringDecoder decode(QStringDecoder::Utf16LE);
    return decode(bytes.left(bytes.size() - 2));
}

StderrCapture::StderrCapture(const QString &file) : m_file(file)
{
    std::fflush(stderr);
    FILE *to = std::fopen(QFile::encodeName(file).constData(), "w");
    if (!to)
        return;
    m_saved = ::dup(STDERR_FILENO);
    ::dup2(::fileno(to), STDERR_FILENO);
    std::fclose(to);
}

StderrCapture::~StderrCapture()
{
    Take();
}

QString StderrCapture::Take()
{
    if (m_saved >= 0) {
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    return readTextFile(m_file);
}

WindowWatch::WindowWatch()
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool WindowWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget *>(watched)->isWindow())
        shown << QString::fromLatin1(watched->metaObject()->className());
    return false;
}
