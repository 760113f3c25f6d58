// A dealer data file made of the input bytes, opened by every record class
// and searched with keys taken from its own lines: exact, prefix and word
// searches, keyed runs and the walk in file order. A search that finds a row
// whose key does not match is a fault.
// Links: yaq_ccd

#include "platform/ccd/CCDFile.h"
#include "platform/ccd/CCmpnPckgRec.h"
#include "platform/ccd/CCmpnPckgSubsFRRec.h"
#include "platform/ccd/CCmpnPckgSubsPartRec.h"
#include "platform/ccd/CCmpnPckgSubsPckgRec.h"
#include "platform/ccd/CCmpnPckgSubsRec.h"
#include "platform/ccd/CCmpnPckgTxtRec.h"
#include "platform/ccd/CCmpnRec.h"
#include "platform/ccd/CCmpnTxtRec.h"
#include "platform/ccd/CDIPRec.h"
#include "platform/ccd/CETPriceRec.h"
#include "platform/ccd/CFGInfoRec.h"
#include "platform/ccd/CHGPriceRec.h"
#include "platform/ccd/CHLXFgstNrRec.h"
#include "platform/ccd/CLagerRec.h"
#include "platform/ccd/CMrktngAttRec.h"
#include "platform/ccd/CPauschalRec.h"
#include "platform/ccd/CRabattRec.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// The folder holding the input as "input.dat", with the file name of every
// record class linked to it.
QString Folder()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString input = dir.filePath(QStringLiteral("input.dat"));
        QFile(input).open(QIODevice::WriteOnly);
        const QString language = QStringLiteral("00");
        for (const QString &name :
             {CETPriceRec::FileName(), CHGPriceRec::FileName(), CDIPRec::FileName(language),
              CFGInfoRec::FileName(language), CPauschalRec::FileName(), CRabattRec::FileName(),
              CLagerRec::FileName(), CHLXFgstNrRec::FileName(), CMrktngAttRec::FileName(),
              CCmpnRec::FileName(), CCmpnTxtRec::FileName(), CCmpnPckgRec::FileName(),
              CCmpnPckgTxtRec::FileName(), CCmpnPckgSubsRec::FileName(),
              CCmpnPckgSubsFRRec::FileName(), CCmpnPckgSubsPartRec::FileName(),
              CCmpnPckgSubsPckgRec::FileName()})
            QFile::link(input, dir.filePath(name));
        return dir.path();
    }();
    return path;
}

QString TrimRight(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// The first field of each line and its first half; at most 16 keys.
QStringList KeysOf(const QString &text)
{
    QStringList keys;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const QString field = line.section(QLatin1Char('\t'), 0, 0);
        keys << field << field.left(field.size() / 2);
        if (keys.size() >= 16)
            break;
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input stands still while it is read: no second read a while later.
    SetCCDSettleMs(0);
    const QString folder = Folder();
    QFile input(folder + QStringLiteral("/input.dat"));
    if (!input.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    input.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    // Written a while ago: a file cut short is then refused at once, not
    // waited for as one its writer may still be writing.
    input.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
    input.close();
    const QStringList keys = KeysOf(
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    const QString language = QStringLiteral("00");

    CETPriceRec et;
    CPauschalRec flat;
    CRabattRec discount;
    CLagerRec stock;
    CMrktngAttRec marketing;
    CHGPriceRec hg;
    CDIPRec dip;
    CHLXFgstNrRec hlx;
    CFGInfoRec vehicles;
    et.Open(folder);
    flat.Open(folder);
    discount.Open(folder);
    stock.Open(folder);
    marketing.Open(folder);
    hg.Open(folder);
    dip.Open(folder, language);
    hlx.Open(folder);
    vehicles.Open(folder, language);
    // The campaign files key on joined fields: a search finds only rows
    // whose joined key is the one asked for.
    CCmpnRec campaigns;
    CCmpnTxtRec campaignTexts;
    CCmpnPckgRec campaignPackages;
    CCmpnPckgTxtRec campaignPackageTexts;
    CCmpnPckgSubsRec subscriptions;
    CCmpnPckgSubsFRRec work;
    CCmpnPckgSubsPartRec parts;
    CCmpnPckgSubsPckgRec subPackages;
    campaigns.Open(folder);
    campaignTexts.Open(folder);
    campaignPackages.Open(folder);
    campaignPackageTexts.Open(folder);
    subscriptions.Open(folder);
    work.Open(folder);
    parts.Open(folder);
    subPackages.Open(folder);

    for (const QString &key : keys) {
        const QString wanted = TrimRight(key);
        // Exact searches.
        if (et.SearchPrice(key))
            Check(TrimRight(et.TeileNr) == wanted);
        if (flat.SearchPauschalPreis(key))
            Check(TrimRight(flat.Schluessel) == wanted);
        if (discount.SearchRabatt(key))
            Check(TrimRight(discount.FgstNr) == wanted);
        if (stock.SearchBestand(key))
            Check(TrimRight(stock.TeileNr) == wanted);
        marketing.SearchFstlnValueln(key);
        if (campaigns.SearchCmpn(key))
            Check(TrimRight(campaigns.CMPN_NO) == wanted);
        if (campaignTexts.SearchCmpnTxt(key))
            Check(TrimRight(campaignTexts.CMPN_NO) == wanted);
        campaignPackages.SearchCmpnPckg(key);
        campaignPackageTexts.SearchCmpnPckgTxt(key);
        work.SearchCmpnPckgSubsFRLine(key);
        for (int ok = subscriptions.MoveCmpnPckgSubs(CCD_MOVE_FIRST, key); ok;
             ok = subscriptions.MoveCmpnPckgSubs(CCD_MOVE_NEXT, QString()))
            Check(TrimRight(subscriptions.TYP_SCHL) == wanted);
        for (int ok = work.MoveCmpnPckgSubsFR(CCD_MOVE_FIRST, key); ok;
             ok = work.MoveCmpnPckgSubsFR(CCD_MOVE_NEXT, QString())) {
        }
        for (int ok = parts.MoveCmpnPckgSubsPart(CCD_MOVE_FIRST, key); ok;
             ok = parts.MoveCmpnPckgSubsPart(CCD_MOVE_NEXT, QString())) {
        }
        for (int ok = subPackages.MoveCmpnPckgSubsPckg(CCD_MOVE_FIRST, key); ok;
             ok = subPackages.MoveCmpnPckgSubsPckg(CCD_MOVE_NEXT, QString())) {
        }
        for (int ok = hlx.MoveHLXFgstNr(CCD_MOVE_FIRST, key); ok;
             ok = hlx.MoveHLXFgstNr(CCD_MOVE_NEXT, QString()))
            Check(TrimRight(hlx.FgstNr) == wanted);
        // Prefix searches.
        if (hg.SearchPrice(key))
            Check(hg.HG.startsWith(wanted));
        if (dip.SearchErsetztTeil(key))
            Check(dip.TeileNr.startsWith(wanted));
        // Word runs.
        for (int ok = vehicles.MoveName(CCD_MOVE_FIRST, key); ok;
             ok = vehicles.MoveName(CCD_MOVE_NEXT, QString())) {
        }
        for (int ok = vehicles.MovePolKZ(CCD_MOVE_FIRST, key); ok;
             ok = vehicles.MovePolKZ(CCD_MOVE_NEXT, QString())) {
        }
    }
    int rows = 0;
    for (int ok = hlx.MoveHLXFgstNrFromBegin(CCD_MOVE_FIRST); ok;
         ok = hlx.MoveHLXFgstNrFromBegin(CCD_MOVE_NEXT))
        ++rows;
    Check(rows == hlx.GetFileEntries());
    return 0;
}
