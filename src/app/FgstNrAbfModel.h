#pragma once
// The rows of the vehicle search's result list: one hit a row, in the order
// the search found them.

#include "app/VehicleSearch.h"

#include <QAbstractListModel>
#include <QList>

class CFgstNrAbfModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        KindRole = Qt::UserRole + 1, // CFgstNrAbfZeile::nKind
        VinRole,                     // the VIN (the bold column)
        Text1Role,                   // licence plate
        Text2Role,                   // owner
        Text3Role,                   // vehicle
    };

    explicit CFgstNrAbfModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void SetHits(const QList<CFgstNrAbfZeile> &hits);
    const QList<CFgstNrAbfZeile> &Hits() const { return m_hits; }
    const CFgstNrAbfZeile *HitAt(int row) const;

private:
    QList<CFgstNrAbfZeile> m_hits;
};
