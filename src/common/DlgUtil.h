#pragma once
// Small helpers of the dialogs: moving and resizing a control when a dialog
// changes its size, starting another program, and the type test of the
// optional-package editing dialog.
//
// A control is named by its objectName (every dialog gives its controls one);
// it is searched among all descendants of the dialog, and its geometry is
// that in its own parent widget.

#include <QString>
#include <QStringList>

class QObject;
class QWidget;

// Adds dLeft, dTop, dRight and dBottom to the four edges of the control's
// geometry. A dialog without such a control is left alone.
void SizeDlgItem(QWidget *parent, const QString &name, int dLeft, int dTop, int dRight,
                 int dBottom);
// Shifts the control by dx and dy, keeping its size. A missing control is
// ignored.
void MoveDlgItem(QWidget *parent, const QString &name, int dx, int dy);

// Starts the program with its arguments as a process of its own that goes on
// running when this program ends. Returns false when it cannot be started;
// error then holds the system's reason and the command: "<reason> [<command>]".
bool StartProcess(const QString &program, const QStringList &arguments, QString *error);

// True when the object is the optional-package editing dialog
// (CSRPOptBearbDlg) or a dialog derived from it.
bool IsSRPOptBearbDlg(const QObject *object);
