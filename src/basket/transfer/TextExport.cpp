#include "basket/transfer/TextExport.h"

#include "basket/model/WKList.h"
#include "basket/transfer/TextExportLayouts.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "platform/FileErrorText.h"
#include "platform/OrmelText.h"
#include "platform/WholeFile.h"
#include "platform/ccd/CCDFile.h"
#include "settings/PrgSettings.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>

namespace {

enum
{
    kTextFileNotWritten = 7104, // path, reason
    kTextNoFileVin = 7105,      // the VIN
    kTextNoSendFolder = 7106,
    kTextNoClipboard = 7107,
    kTextNoCodePage = 7108, // the code page's name
};

const QString kExtension = QStringLiteral(".YAQ");

bool IsVin(const QString &vin, int length)
{
    if (vin.size() != length)
        return false;
    for (const QChar c : vin) {
        const bool letter = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!letter && !digit)
            return false;
    }
    return true;
}

} // namespace

CTextExport::CTextExport(const CPrgSettings &settings, CTextExportHead head,
                         const QString &language)
    : m_settings(settings), m_head(std::move(head)),
      m_codePage(GetPrgCodePage(language.isEmpty() ? GetPrgSprache() : language)),
      m_clipboard(&CTextExport::PutOnClipboard)
{
}

QString CTextExport::ExportVin(const CPrgSettings &settings)
{
    // The dealer system reads the vehicle's VIN as the program keeps it: the
    // last seven characters once the vehicle is identified, before that the
    // VIN as given (7 or 17). Its place in the fixed-width F record and the
    // name of the file depend on it.
    const QString vin = settings.Fgstnr.trimmed();
    return IsVin(vin, 7) || IsVin(vin, 17) ? vin : QString();
}

QString CTextExport::FilePath(const CPrgSettings &settings)
{
    const QString vin = ExportVin(settings);
    if (vin.isEmpty() || settings.SendDateiVerz.isEmpty())
        return QString();
    return QDir(settings.SendDateiVerz).filePath(vin + kExtension);
}

CTextExport::Text CTextExport::Write(const CWKList &basket) const
{
    Text t;
    const std::unique_ptr<CTextExportLayout> layout = CTextExportLayout::Create(
        m_settings.SRPInterfaceSendDateiFormat, m_settings, m_head, ExportVin(m_settings));
    if (!layout)
        return t;
    const bool training = m_settings.bSchulung != 0;
    layout->Begin(t.text);
    bool headerWritten = false;
    for (const auto &item : basket) {
        const CWKListItem *entry = item.get();
        if (!entry)
            continue;
        QString block;
        bool written = false;
        if (CWKListItem::IsPackageKind(entry->Kind) && entry->Paket) {
            // Campaign packages go out only from the training edition.
            const int count = entry->Paket->CountPricedPositions(false);
            if ((training || !CWKListItem::IsCampaignKind(entry->Kind)) && count > 0)
                written = layout->Package(block, *entry->Paket, count);
        } else if (entry->Kind == WK_POSITION && entry->APos) {
            // The training edition exports labour positions only.
            if (!training || entry->APos->Type == POS_BASKET_LABOUR)
                written = layout->Position(block, *entry->APos);
        }
        if (!written) {
            t.left.push_back(entry);
            if (!entry->Number().isEmpty())
                t.leftNumbers << entry->Number();
            continue;
        }
        if (!headerWritten) {
            layout->Header(t.text);
            headerWritten = true;
        }
        t.text += block;
        ++t.written;
    }
    layout->End(t.text);
    return t;
}

QByteArray CTextExport::Encode(const QString &text, bool *ok) const
{
    return CCDFile::ToCodePage(text, m_codePage, ok);
}

CTextExportOutcome CTextExport::Run(const CWKList &basket) const
{
    CTextExportOutcome out;
    const Text t = Write(basket);
    out.left = t.left;
    out.leftNumbers = t.leftNumbers;
    const int destination = m_settings.SRPInterfaceSendDatei;
    // Nothing written, or nowhere to deliver it: the basket stays.
    if (!t.written || (destination != 3 && destination != 5))
        return out;
    bool encoded = false;
    const QByteArray bytes = Encode(t.text, &encoded);
    if (!encoded) {
        out.failure = OrmelTextArgs(kTextNoCodePage, {CodePageName(m_codePage)});
        return out;
    }
    if (destination == 3) {
        out.result = WriteFile(bytes, &out.failure) ? 1 : 0;
    } else if (m_clipboard && m_clipboard(t.text, bytes, CodePageName(m_codePage))) {
        out.result = 1;
    } else {
        out.failure = OrmelText(kTextNoClipboard);
    }
    return out;
}

bool CTextExport::WriteFile(const QByteArray &bytes, QString *failure) const
{
    const QString folder = m_settings.SendDateiVerz;
    const QString vin = ExportVin(m_settings);
    QString reason;
    QString path = FilePath(m_settings);
    if (vin.isEmpty()) {
        // A VIN that is none must not name a file, least of all outside the
        // send folder.
        path = folder;
        const QString given = m_settings.FgstnrFull.trimmed();
        reason =
            OrmelTextArgs(kTextNoFileVin, {given.isEmpty() ? m_settings.Fgstnr.trimmed() : given});
    } else if (folder.isEmpty()) {
        path = vin + kExtension;
        reason = OrmelText(kTextNoSendFolder);
    } else {
        // The dealer system never sees the file half written: it replaces
        // the old one only when it is complete.
        if (WriteWholeFile(path, bytes, &reason))
            return true;
    }
    *failure = OrmelTextArgs(kTextFileNotWritten, {PathForMessage(path), reason});
    return false;
}

bool CTextExport::PutOnClipboard(const QString &text, const QByteArray &bytes,
                                 const QString &charset)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(QStringLiteral("text/plain;charset=") + charset, bytes);
    clipboard->setMimeData(data);
    return true;
}
