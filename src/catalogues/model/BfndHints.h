#pragma once
// The findings hints of the catalogue in the program language: a note per
// location (main group, subgroup and location of a finding number), read
// once when the findings page is opened.

#include <QHash>
#include <QString>

#include <vector>

class CYaqDb;

class CBfndHints
{
public:
    // Reads every hint anew; the store is empty without a connection. False
    // when the read failed: the hints read before stay.
    [[nodiscard]] bool Load(CYaqDb *db, const QString &catalogueKey, const QString &language);
    // Adds one hint under the composed key (main group, subgroup, location).
    void Add(const QString &key, const QString &hint);
    // The hint of the composed key; empty when there is none. A stored
    // index that does not name a hint gives none either.
    QString Get(const QString &key) const;
    int Count() const { return int(m_hints.size()); }

    // The map as read: composed key -> index into the hints ("%d"). Open
    // for the check that a broken index gives no hint.
    void SetIndexText(const QString &key, const QString &index) { m_index.insert(key, index); }

private:
    std::vector<QString> m_hints;
    QHash<QString, QString> m_index;
};
