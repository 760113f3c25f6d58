#pragma once
// The text export of the basket: the road of send mode 3, for dealer systems
// that take the basket as a text instead of a SOAP message. The layout
// ("SRPInterfaceSendDateiFormat": 6 labelled, 7 tagged, 8 fixed width) and
// the destination ("SRPInterfaceSendDatei": 3 the file "<VIN>.YAQ" in the
// send folder "SendDateiVerz", 5 the clipboard) come from the settings.
//
// The text goes out in the Windows code page of the program language,
// converted through iconv (CCDFile::ToCodePage, the one converter of the
// program's files); a character the code page cannot hold becomes "?".
// The file replaces an older one of the same vehicle as a whole, never
// half written.
//
// Writing reads the basket only. An entry the export cannot carry (a
// campaign package outside the training edition, a finding in the training
// edition, a package without a priced line) is left out and named; it
// stays in the basket while the rest goes out.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CPrgSettings;
class CWKList;
class CWKListItem;

// What the header of the export says beside the vehicle of the settings:
// the basket page's order data and the head row's plate, date and mileage.
struct CTextExportHead
{
    QString orderNumber;
    QString settlementCode;
    QString jobNumber;
    QString jobNote;
    QString plate;
    QString date;
    QString mileage;
};

// What one run did.
struct CTextExportOutcome
{
    // A road that only knows whether it wrote (1) or not (0).
    CTextExportOutcome(int written = 0) : result(written) {} // NOLINT: an int is a whole outcome

    int result = 0;  // 1: delivered
    QString failure; // why nothing was delivered, with the path; empty: no reason to tell
    // The entries left out: they stay in the basket. Their numbers, where
    // they have one, for the adviser.
    std::vector<const CWKListItem *> left;
    QStringList leftNumbers;
};

class CTextExport
{
public:
    // Puts the text on the clipboard: the text, and the same in the code
    // page with the iconv name of the code page. False when it could not.
    using Clipboard =
        std::function<bool(const QString &text, const QByteArray &bytes, const QString &charset)>;

    // Borrowed settings. The language names the code page (GetPrgCodePage);
    // empty: the program language.
    CTextExport(const CPrgSettings &settings, CTextExportHead head,
                const QString &language = QString());

    // The export text of the basket in the layout of the settings.
    struct Text
    {
        QString text;
        int written = 0; // entries written
        std::vector<const CWKListItem *> left;
        QStringList leftNumbers;
    };
    Text Write(const CWKList &basket) const;

    // The text in the code page of the language; ok false when the code page
    // has no converter.
    QByteArray Encode(const QString &text, bool *ok = nullptr) const;

    // Writes the basket and delivers it to the destination of the settings.
    // Nothing is delivered when no entry was written, or for a destination
    // other than file or clipboard.
    CTextExportOutcome Run(const CWKList &basket) const;

    // The clipboard the run uses; the application's clipboard by default.
    void SetClipboard(Clipboard clipboard) { m_clipboard = std::move(clipboard); }
    static bool PutOnClipboard(const QString &text, const QByteArray &bytes,
                               const QString &charset);

    // The VIN the export names: the settings' VIN, after an identification
    // the short one of 7 capital letters and digits, before one the VIN as
    // given (7 or 17). Empty when it is no VIN.
    static QString ExportVin(const CPrgSettings &settings);
    // "<send folder>/<VIN>.YAQ".
    static QString FilePath(const CPrgSettings &settings);

    int CodePage() const { return m_codePage; }

private:
    bool WriteFile(const QByteArray &bytes, QString *failure) const;

    const CPrgSettings &m_settings;
    const CTextExportHead m_head;
    int m_codePage;
    Clipboard m_clipboard;
};
