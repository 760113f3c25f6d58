#pragma once
// The rows of the catalogue picker: the catalogues of one model series, each
// with its code, market text and model-range text as the picker shows them.

#include <QAbstractListModel>
#include <QList>

struct CEReiheEntry;
class CEReiheList;

class CKatAuswahlModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        EntryRole = Qt::UserRole + 1, // const CEReiheEntry*
        KindRole,                     // CEReiheEntry::Kind
        SeriesRole,                   // model-series code
        MarketRole,                   // country, "/" and the market suffix when there is one
        RangeRole,                    // model range with its suffix
        SeparatorRole,                // heading text
    };

    explicit CKatAuswahlModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // Takes every catalogue of the series from the list, in list order.
    void Fill(const CEReiheList *list, const QString &seriesCode);
    const CEReiheEntry *EntryAt(int row) const;
    // The row of the catalogue with that type number, or -1.
    int RowOfTypNr(const QString &typNr) const;

    // "DE", or "GB/R" with a market suffix.
    static QString MarketText(const CEReiheEntry &entry);
    // The model range as the picker names it: "Fer" for "F"; a few single
    // letters stand as they are; a blank or empty range gives nothing.
    static QString RangeText(const CEReiheEntry &entry);

private:
    QList<const CEReiheEntry *> m_entries;
};
