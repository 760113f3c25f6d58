#pragma once
// "Hinweise": a modal box that shows a plain-text information file of the
// data directory in the program language, line by line: the price
// information before prices are asked for ("SRP/InfoPr<language>.dat") and
// the notes on the vehicle search ("SRP/InfoFg<language>.dat"). Without a
// file in the language the one of language "01" is shown; without that
// too the box does not open.

#include <QDialog>
#include <QStringList>

class COwnButton;
class QListWidget;

class CTextDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CTextDlg(QWidget *parent = nullptr);

    // Shows the file prefix + language + extension (language "01" when that
    // file cannot be opened; prefix + extension without a language). Returns
    // Rejected without showing when neither file can be opened.
    int DoModalText(const QString &prefix, const QString &language, const QString &extension);

    // The lines the box shows for the file: cut at LF, CR dropped, an empty
    // line as one blank so that it keeps its height, a last line without LF
    // only when it is not empty. UTF-8 (a leading byte-order mark dropped);
    // a file that is no UTF-8 is read as Latin-1. False when no file can be
    // opened.
    static bool LoadTextFile(const QString &prefix, const QString &language,
                             const QString &extension, QStringList *lines, QString *path = nullptr);
    static QStringList TextLines(const QByteArray &bytes);

    QStringList Lines() const;

protected:
    // Return and Enter press OK, wherever the focus is in the box.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void FitWidthToLines(const QStringList &lines);

    QListWidget *m_pList = nullptr;
    COwnButton *m_pOk = nullptr;
};
