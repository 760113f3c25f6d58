#pragma once
// The labour-value edit dialog: the adviser edits the eight text lines of a
// labour position in the basket and, for a position billed by working
// time, the time field. The dialog holds only the fields (CWkLabourEdit);
// the basket page fills them from the position and writes them back on OK.
// The close box cancels like "Abbrechen".

#include "basket/model/WkLabourEdit.h"

#include <QDialog>

class QLineEdit;

class CLabourEditDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CLabourEditDlg(const CWkLabourEdit &fields, QWidget *parent = nullptr);

    // The fields as edited.
    CWkLabourEdit Fields() const;

    // The time field may be changed only when it was set at opening; then
    // it must hold "AZ" or a whole number.
    static bool IsValidTimeField(const QString &atOpening, const QString &entered);

    void accept() override;

private:
    CWkLabourEdit m_fields;
    QString m_strAzAtOpening;
    QLineEdit *m_pAz = nullptr;
    QLineEdit *m_pTexts[4] = {};
    QLineEdit *m_pBrackets[4] = {};
};
