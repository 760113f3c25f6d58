#include "common/DlgUtil.h"

#include <QProcess>
#include <QWidget>

namespace {

QWidget *findControl(QWidget *parent, const QString &name)
{
    if (!parent || name.isEmpty())
        return nullptr;
    return parent->findChild<QWidget *>(name);
}

// The command as a user would type it, for messages only.
QString commandText(const QString &program, const QStringList &arguments)
{
    QStringList parts;
    parts << program;
    for (const QString &arg : arguments)
        parts << (arg.contains(QLatin1Char(' ')) || arg.isEmpty()
                      ? QLatin1Char('"') + arg + QLatin1Char('"')
                      : arg);
    return parts.join(QLatin1Char(' '));
}

} // namespace

void SizeDlgItem(QWidget *parent, const QString &name, int dLeft, int dTop, int dRight, int dBottom)
{
    QWidget *control = findControl(parent, name);
    if (!control)
        return;
    const QRect r = control->geometry();
    control->setGeometry(r.adjusted(dLeft, dTop, dRight, dBottom));
}

void MoveDlgItem(QWidget *parent, const QString &name, int dx, int dy)
{
    QWidget *control = findControl(parent, name);
    if (!control)
        return;
    control->move(control->pos() + QPoint(dx, dy));
}

bool StartProcess(const QString &program, const QStringList &arguments, QString *error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    // Detached: the program is not ended with ours. This returns once the
    // program has been started (or failed to), so the user interface waits
    // no longer than that.
    if (process.startDetached())
        return true;
    if (error) {
        QString reason = process.errorString();
        if (reason.isEmpty())
            reason = QStringLiteral("The program could not be started.");
        *error = QStringLiteral("%1 [%2]").arg(reason, commandText(program, arguments));
    }
    return false;
}

bool IsSRPOptBearbDlg(const QObject *object)
{
    return object && object->inherits("CSRPOptBearbDlg");
}
