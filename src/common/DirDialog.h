#pragma once
// The folder chooser of the settings dialogs (request, send and download
// folders, the export target): the desktop's folder dialog, opened on the
// initial folder, with the window title and the prompt the caller sets.
// Callers check afterwards that the chosen path is an existing folder.

#include <QString>

class QWidget;

class CDirDialog
{
public:
    CDirDialog();
    virtual ~CDirDialog();

    // The chosen folder goes to m_strPath; true when it exists, false for
    // one that does not and on cancel.
    bool DoBrowse(QWidget *parent);

    // The initial folder as the chooser opens it: trailing blanks removed,
    // then one trailing separator (a root folder keeps its own).
    static QString InitialFolder(const QString &folder);

    QString m_strWindowTitle; // the chooser's caption when not empty
    QString m_strPath;        // the result
    QString m_strInitDir;     // the folder selected when the chooser opens
    QString m_strTitle;       // the prompt, for example "Zielverzeichnis"
};
