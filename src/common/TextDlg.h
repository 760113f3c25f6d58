#pragma once
// "Hinweise": a modal box that shows a plain-text information file of the
// data directory (the notes on the vehicle search, "SRP/InfoFg<language>.dat").
// A file that cannot be read shows which file is missing instead of an empty
// box.

#include <QDialog>

class QPlainTextEdit;
class COwnButton;

class CTextDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CTextDlg(QWidget *parent = nullptr);

    // Shows the file prefix + language + extension; returns the dialog's
    // result.
    int DoModalText(const QString &prefix, const QString &language, const QString &extension);

    // The path of the shown file.
    static QString TextPath(const QString &prefix, const QString &language,
                            const QString &extension);
    // The text the box shows for the file: its contents (UTF-8, a leading
    // byte-order mark dropped; a file that is no UTF-8 is read as Latin-1),
    // or the open-error message naming the file when it cannot be read.
    static QString TextOfFile(const QString &path);

    QString Text() const;

private:
    QPlainTextEdit *m_pText = nullptr;
    COwnButton *m_pOk = nullptr;
};
