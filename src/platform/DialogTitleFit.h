#pragma once
// Window managers cut a dialog's title that is longer than the dialog is
// wide, and the dialogs are built only as wide as their fields: a short
// question under a long title would lose the end of its title. Installed on
// the application, this keeps every dialog at least as wide as its title
// needs, when it is shown and when its title changes.

#include <QObject>

class QWidget;

class CDialogTitleFit : public QObject
{
    Q_OBJECT
public:
    explicit CDialogTitleFit(QObject *parent = nullptr);

    // The width a window needs for its title: the title in the font of
    // title bars and the room of the window manager's icon and buttons.
    static int TitleWidth(const QString &title);
    // Widens a dialog to its title; a dialog of fixed width, and the message
    // boxes, which fit their titles themselves, stay as they are.
    static void Fit(QWidget *dialog);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
