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
//               Rows come in key order (the order of QString, by UTF-16
//               code units), equal keys in file order.
//   CCDAutoHtb  hashed index, exact key. Rows come in file order.
//   CCDAutoWrd  word index for free search criteria: each blank-separated
//               word of the search key must begin some word of the field,
//               compared without case. Rows come in file order.
//
// The sorted and the hashed index keep no texts of their own: they hold
// the keys as places in the file's bytes (UTF-8), and compare bytes.
//
// Index data are shared between copies of a record and never changed after
// the build, so copying a record is cheap.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <utility>
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

    // The key of every row as UTF-8 bytes, exactly the encoding of the text
    // the record's key fields read as (blanks at the end included). A key
    // is a slice of the file's bytes or, when its text differs from the
    // bytes in the file (escapes, several key fields, bytes that are no
    // UTF-8), of the extra bytes: offsets from the file's size on.
    struct KeyRef
    {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
    };
    struct KeySet
    {
        QByteArray bytes;
        QByteArray extra;
        std::vector<KeyRef> keys; // keys[i] is row i
        const char *data(KeyRef key) const
        {
            return key.offset < static_cast<std::uint64_t>(bytes.size())
                       ? bytes.constData() + key.offset
                       : extra.constData() + (key.offset - bytes.size());
        }
    };

    virtual void Build(KeySet keys) = 0;
    virtual void Clear() = 0;
    // The first row whose key matches, -1 when none; the run is left alone.
    virtual int FindFirst(const QString &key) const = 0;
    // Starts the run of the key: its first row, -1 when none.
    virtual int StartRun(const QString &key) = 0;
    // The next row of the run, -1 at its end (and after it).
    virtual int NextInRun() = 0;
    void EndRun();

    // The position of the run of the last StartRun (what it means is up to
    // the index kind; -1 when no run goes on).
    std::int64_t m_runPos = -1;
    std::int64_t m_runEnd = -1;

private:
    QStringList m_keyFields;
};

class CCDAutoNtx : public CCDIndex
{
public:
    explicit CCDAutoNtx(QStringList keyFields) : CCDIndex(std::move(keyFields)) {}

protected:
    void Build(KeySet keys) override;
    void Clear() override { m_data.reset(); }
    int FindFirst(const QString &key) const override;
    int StartRun(const QString &key) override;
    int NextInRun() override;

private:
    struct Data;
    // The range of entries whose key begins with the search key.
    std::pair<std::int64_t, std::int64_t> matching(const QString &key, bool wholeRange) const;
    std::shared_ptr<const Data> m_data;
};

class CCDAutoHtb : public CCDIndex
{
public:
    explicit CCDAutoHtb(QStringList keyFields) : CCDIndex(std::move(keyFields)) {}

protected:
    void Build(KeySet keys) override;
    void Clear() override { m_data.reset(); }
    int FindFirst(const QString &key) const override;
    int StartRun(const QString &key) override;
    int NextInRun() override;

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
    void Build(KeySet keys) override;
    void Clear() override
    {
        m_data.reset();
        m_run.clear();
    }
    int FindFirst(const QString &key) const override;
    int StartRun(const QString &key) override;
    int NextInRun() override;

private:
    struct Data;
    std::vector<int> find(const QString &key) const;
    std::shared_ptr<const Data> m_data;
    std::vector<int> m_run;
};
