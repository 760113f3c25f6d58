#pragma once
// A data file of the catalogue library read as records.
//
// The file format (docs/catalogue-files.md): UTF-8 text, one record a line,
// fields separated by tabs, the first line naming the fields. A record
// class names the fields it reads; the file's columns are matched to them
// by name, so the column order is free, unknown columns are ignored and a
// field the file lacks, or a line with too few fields, reads as empty.
// Empty lines are skipped. In field values "\t", "\n", "\r" and "\\" stand
// for a tab, a line feed, a carriage return and a backslash.
//
// The whole file is read and indexed when it is opened; its bytes are kept
// as they are and a row's fields are decoded only when the row becomes
// current. After a successful search or move the record's text fields hold
// the current row; after one that finds nothing they are empty. Files of
// 4 GiB or more are not opened.
//
// Keyed run (record walk over one key):
//     for (int ok = rec.AutoMove(index, CCD_MOVE_FIRST, key); ok;
//          ok = rec.AutoMove(index, CCD_MOVE_NEXT, key)) { ...use rec... }
// Move walks the file in file order the same way.

#include "platform/ccd/CCDFile.h"
#include "platform/ccd/CCDIndex.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

enum : int
{
    CCD_MOVE_FIRST = 1, // first row (of the key)
    CCD_MOVE_NEXT = 2,  // next row of the run
};

class CCDRec
{
public:
    explicit CCDRec(int mode = 1);
    virtual ~CCDRec();
    // Copies share the opened file's rows and indexes and take over the
    // current position.
    CCDRec(const CCDRec &other);
    CCDRec &operator=(const CCDRec &other);

    // Opens and indexes the file. Nonzero when open. A missing or
    // unreadable file gives 0; an empty file opens with no entries; a file
    // whose first line lacks a field that an index keys on gives 0, since
    // it could answer no search, and is refused as soon as that line is
    // read.
    //
    // A file is used once it is found finished, whatever ends its last
    // line: it stood still while it was read, and a second read a quiet
    // while later (CCDFile::kSettleMs) gave the same bytes, or its bytes are
    // those of a version found finished before. A file that goes on changing
    // (its writer rewrites it in place) gives 0 and WasIncomplete after
    // CCDFile::kReadWaitMostMs: the record never holds a file between two
    // pieces of its writer as if it were whole.
    int Open(const QString &path);
    // The last Open gave 0 because the file was incomplete.
    bool WasIncomplete() const { return m_bIncomplete; }
    void Close();
    bool IsOpen() const { return m_pTable != nullptr; }
    int IsUnicodeFile() const { return 1; }
    QString FilePath() const { return m_strPath; }

    // Searches the index for the key: nonzero when a row has that key; the
    // first such row (in index order) becomes current.
    int AutoSearch(CCDIndex &index, const QString &key);
    // Keyed run: mode 1 makes the first row with the key current, mode 2
    // the next row of the run started by mode 1 (the key is then not
    // read). Nonzero while a row is current; 0 ends the run.
    int AutoMove(CCDIndex &index, int mode, const QString &key);
    // Walk in file order: mode 1 the first row, mode 2 the next one.
    int Move(int mode);

    // The number of records in the file (0 when not open).
    int GetFileEntries() const;

protected:
    struct Field
    {
        const char *name;
        QString *value;
    };
    // The record's text fields in declaration order, with their names in
    // the file's first line.
    virtual std::vector<Field> Fields() = 0;
    // The record's index members.
    virtual std::vector<CCDIndex *> Indexes() { return {}; }

private:
    struct Table;
    enum class ReadResult
    {
        Read,    // read while it stood still
        Failed,  // missing, unreadable, or no key field in the first line
        Changed, // the file changed while it was read
    };
    // One read of the file, not yet split into rows.
    struct Read
    {
        QString header;
        QByteArray rest; // after the first line
        std::vector<int> column;
        std::vector<std::vector<int>> keyColumns;
        CCDFile::Stamp stamp;
        bool sequential = false; // a pipe: read once
        bool keyMissing = false; // the first line, without its line end, lacks a key
        bool SameAs(const Read &other) const;
    };
    ReadResult readOnce(const QString &path, Read &read);
    bool build(const QString &path, const Read &read);
    static bool knownWhole(const QString &path, const Read &read);
    static void rememberWhole(const QString &path, const Read &read);
    void setCurrent(int row);

    // The fields of this object (Fields() is asked once; copies ask again,
    // their fields are their own).
    std::vector<Field> m_fields;
    int m_nMode;
    QString m_strPath;
    std::shared_ptr<const Table> m_pTable;
    int m_nCurrent = -1; // row held in the fields
    int m_nMoveRow = -1; // position of the file-order walk
    bool m_bIncomplete = false;
};

// The message for a record file that did not open: 4012 with the path,
// and why, when the file was incomplete.
QString CCDOpenFailureText(const CCDRec &record, const QString &path);
