#pragma once
// A text file of the catalogue library: read whole, or written in the code
// page of a program language.
//
// Reading: Open(path) on a read object (mode 1), then ReadFile, or
// ReadLine and ReadRest. Files are UTF-8; a leading byte-order mark is
// dropped.
// Writing: OpenWithLanguage(path, language) opens any object for writing;
// WriteFile converts each text to the Windows code page of the language
// (GetPrgCodePage) and appends it. The file appears only when Close (or the
// destructor) commits it, so a reader never sees it half written. Line
// endings are written as the caller passes them.

#include <QString>

#include <functional>
#include <memory>

class CWholeFile;
class QFile;

class CCDFile
{
public:
    // 1 makes a read object, 0 a write object (Open then writes UTF-8).
    explicit CCDFile(int readMode = 1);
    ~CCDFile();
    CCDFile(const CCDFile &) = delete;
    CCDFile &operator=(const CCDFile &) = delete;

    // Opens the file: for reading on a read object (nonzero when the file
    // exists and can be read), for writing in UTF-8 on a write object.
    int Open(const QString &path, int mode = 0, int flags = 0);

    // The whole file as one string; nonzero on success. The text passed in
    // is replaced. A file that changed while it was read (see ReadWasWhole)
    // is read again once it stands still; 0 when it does not.
    int ReadFile(QString &text);

    // Reading on from where the last read stopped, so that a caller can
    // look at the first line before it takes in the rest:
    // ReadLine gives the next line without its line end (LF or CR LF);
    // nonzero when a line was read, 0 at the end of the file or when
    // reading failed. ReadRest gives everything after the last read, empty
    // at the end of the file; nonzero unless reading failed (also in an
    // earlier ReadLine). A byte-order mark at the start is dropped.
    int ReadLine(QString &line);
    // Whether the line the last ReadLine gave ended with a line end (the
    // last line of a file may lack it).
    bool LineEnded() const { return m_bLineEnded; }
    int ReadRest(QString &text);
    // ReadRest without the decoding: the undecoded bytes (a byte-order mark
    // at the start of the file dropped all the same). Decoding a slice of
    // them that ends before a tab, CR or LF gives the same text as decoding
    // them whole and cutting the text there.
    int ReadRestBytes(QByteArray &bytes);

    // Whether the file was read to its end and is still the file that was
    // opened, as it was then: not written to, cut short or replaced since.
    // A file its writer rewrites in place while it is read fails this; a
    // file replaced by renaming a new one over it gives the old one whole.
    // ReadFile reads a file that fails it again (see WaitUntilStill).
    bool ReadWasWhole() const;

    // A pipe or the like: read once, without a size or time to judge it by.
    bool IsSequential() const;

    // Waits until the file has not changed for a moment (its size, time
    // and identity stay), at most for the given milliseconds: false when it
    // went on changing. Readers wait so before they read a file again that
    // changed while they read it.
    static bool WaitUntilStill(const QString &path, int mostMs);
    // How often a reader of ReadFile reads a file that changed while it was
    // read, and how long a reader waits for a file to stand still, in all:
    // the window waits a moment, never long.
    static constexpr int kReadAttempts = 4;
    static constexpr int kReadWaitMostMs = 600;
    // A record file is taken as whole when two reads of it this far apart
    // gave the same bytes: longer than a writer that rewrites it in place
    // pauses between two pieces (up to 0.2 s).
    static constexpr int kSettleMs = 250;
    // The time readers wait so now: kSettleMs unless a test set another.
    static int SettleMs();

    // Opens the file for writing in the code page of the language (a
    // two-digit language code). Nonzero when it is open.
    int OpenWithLanguage(const QString &path, const QString &language, int mode = 0, int flags = 0);

    // Appends the text in the file's code page. A character the code page
    // cannot hold is written as "?". Nonzero when written.
    int WriteFile(const QString &text);

    // Closes the file; a written file is committed now. Nonzero when the
    // file was closed without a write error.
    int Close();

    bool IsOpen() const;
    bool IsWriting() const;
    // The files of this library are always Unicode (UTF-8) when read.
    int IsUnicodeFile() const { return 1; }
    QString FileName() const { return m_strPath; }
    // The code page the file is written in (65001 for UTF-8).
    int CodePage() const { return m_nCodePage; }

    // The text converted to a Windows code page through iconv; unknown code
    // pages give an empty result and ok false.
    static QByteArray ToCodePage(const QString &text, int codePage, bool *ok = nullptr);

    // The size, times and identity of a file (size -1: no such file).
    struct Stamp
    {
        qint64 size = -1;
        qint64 modified = 0; // nanoseconds
        qint64 changed = 0;  // nanoseconds (status change)
        quint64 inode = 0;
        quint64 device = 0;
        bool operator==(const Stamp &o) const
        {
            return size == o.size && modified == o.modified && changed == o.changed &&
                   inode == o.inode && device == o.device;
        }
        bool operator!=(const Stamp &o) const { return !(*this == o); }
    };
    static Stamp StampOf(const QString &path);
    // The file as it was opened (and, when ReadWasWhole, as it was read).
    Stamp ReadStamp() const { return m_stamp; }

private:
    int openForWriting(const QString &path, int codePage);
    int openForReading(const QString &path);

    int m_nReadMode;
    int m_nCodePage = 65001;
    bool m_bWriteFailed = false;
    bool m_bReadStarted = false; // a read took bytes from the start of the file
    bool m_bLineEnded = false;
    bool m_bChanged = false; // the file changed between its stamp and its opening
    Stamp m_stamp;           // the file as it was opened
    QString m_strPath;
    std::unique_ptr<QFile> m_pReadFile;
    std::unique_ptr<CWholeFile> m_pWriteFile;
};

// Tests: called by every read object before it reads the rest of a file
// (ReadRest, ReadRestBytes, ReadFile), with the file's path, so that a test
// can change the file at that moment. An empty function removes it.
using CCDReadHook = std::function<void(const QString &path)>;
void SetCCDReadHook(CCDReadHook hook);
// Tests: the time between the two reads of a record file that must agree
// (CCDFile::kSettleMs when not set); tests of files that stand still need
// not wait it.
void SetCCDSettleMs(int ms);
