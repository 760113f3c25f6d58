#include "common/OpenUrl.h"

#include "common/ChildProgram.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

namespace {
UrlOpener &opener()
{
    static UrlOpener o;
    return o;
}
} // namespace

void SetUrlOpener(UrlOpener o)
{
    opener() = std::move(o);
}

bool IsDesktopAddress(const QUrl &url)
{
    if (!url.isValid())
        return false;
    if (url.isLocalFile())
        return true;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return !url.path().isEmpty();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

void OpenWithDesktop(const QUrl &url, QObject *context, OpenDone done)
{
    const QPointer<QObject> guard(context);
    auto answer = [guard, done = std::move(done)](bool opened) {
        if (done && guard)
            done(opened);
    };
    if (!IsDesktopAddress(url)) {
        answer(false);
        return;
    }
    if (opener()) {
        answer(opener()(url));
        return;
    }
    // The desktop's opener tells by its exit status whether anything could
    // show the address; Qt's own call reports success once it has started.
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        answer(QDesktopServices::openUrl(url));
        return;
    }
    auto *run = new CChildProgram(context);
    if (!run->Start(xdgOpen, {QString::fromLatin1(url.toEncoded())})) {
        delete run;
        answer(false);
        return;
    }
    QObject::connect(run, &CChildProgram::finished, run, [run, answer](int exitCode, bool crashed) {
        run->deleteLater();
        answer(exitCode == 0 && !crashed);
    });
}

void OpenUrlInBrowser(const QString &url, QObject *context, OpenDone done)
{
    const QFileInfo file(url);
    const QUrl target = file.isAbsolute() || file.exists()
                            ? QUrl::fromLocalFile(file.absoluteFilePath())
                            : QUrl(url);
    OpenWithDesktop(target, context, std::move(done));
}
