#pragma once
// Index members of the catalogue records.
//
// A record class holds one index member per key it is searched by. The
// index names the record field (or fields, joined directly) that make its
// key; CCDRec builds it when the file is opened and runs AutoSearch and
// AutoMove over it. Keys and field values are compared with trailing
// blanks removed; an empty key finds nothing.
//
//   CCDAutoNtx  sorted index, prefix key: a row matches when its key
//               begins with the search key ("12" finds "12", "1234").
//               Rows come in key order, equal keys in file order.
//   CCDAutoHtb  hashed index, exact key. Rows come in file order.
//   CCDAutoWrd  word index for free search criteria: each blank-separated
//               word of the search key must begin some word of the field,
//               compared without case. Rows come in file order.
//
// Index data are shared between copies of a record and never changed after
// the build, so copying a record is cheap.

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class CCDIndex
{
public:
    explicit CCDIndex(QStringList keyFields);
    virtual ~CCDIndex();
    CCDIndex(const CCDIndex &) = default;
    CCDIndex &operator=(const CCDIndex &) = default;

    const QStringList &KeyFields() const { return m_keyFields; }

protected:
    friend class CCDRec;
    // Builds the index over the key text of every row (keys[i] is row i).
    virtual void Build(const std::vector<QString> &keys) = 0;
    virtual void Clear() = 0;
    // The rows whose key matches, in index order.
    virtual std::vector<int> Find(const QString &key) const = 0;

    static QString TrimRight(const QString &text);

    // The run of the last AutoMove with mode 1.
    std::vector<int> m_run;
    size_t m_runPos = 0;

private:
    QStringList m_keyFields;
};

class CCDAutoNtx : public CCDIndex
{
public:
    explicit CCDAutoNtx(QStringList keyFields) : CCDIndex(std::move(keyFields)) {}

protected:
    void Build(const std::vector<QString> &keys) override;
    void Clear() override { m_data.reset(); }
    std::vector<int> Find(const QString &key) const override;

private:
    struct Entry
    {
        QString key;
        int row;
    };
    std::shared_ptr<const std::vector<Entry>> m_data;
};

class CCDAutoHtb : public CCDIndex
{
public:
    explicit CCDAutoHtb(QStringList keyFields) : CCDIndex(std::move(keyFields)) {}

protected:
    void Build(const std::vector<QString> &keys) override;
    void Clear() override { m_data.reset(); }
    std::vector<int> Find(const QString &key) const override;

private:
    struct Data;
    std::shared_ptr<const Data> m_data;
};

class CCDAutoWrd : public CCDIndex
{
public:
    explicit CCDAutoWrd(QStringList keyFields) : CCDIndex(std::move(keyFields)) {}

    // The upper-cased words of a text, as the index and the search see them.
    static QStringList Words(const QString &text);

protected:
    void Build(const std::vector<QString> &keys) override;
    void Clear() override { m_data.reset(); }
    std::vector<int> Find(const QString &key) const override;

private:
    struct Data;
    std::shared_ptr<const Data> m_data;
};
