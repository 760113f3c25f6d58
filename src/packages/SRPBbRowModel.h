#pragma once
// The lines one list of the package editing page shows: the head list (list
// line and head) or the position list (the rows the selection rules leave
// shown). The lines belong to the edited package; the model only borrows
// them, in display order, until the next SetRows.

#include <QAbstractListModel>

#include <vector>

class CPosition;

class CSRPBbRowModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles
    {
        LineRole = Qt::UserRole + 1, // const CPosition*
    };

    explicit CSRPBbRowModel(QObject *parent = nullptr);

    // Shows these lines from now on (the list forgets its selection).
    void SetRows(std::vector<CPosition *> rows);
    const std::vector<CPosition *> &Rows() const { return m_rows; }
    CPosition *LineAt(int index) const;
    // The index of the line, -1 when it is not shown.
    int IndexOf(const CPosition *line) const;
    // The lines' choices or prices changed: every row is painted anew.
    void LinesChanged();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // DisplayRole: the line's number and first text line.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    std::vector<CPosition *> m_rows;
};

Q_DECLARE_METATYPE(const CPosition *)
