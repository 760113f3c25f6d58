#include "common/BrowserNav.h"

#include "settings/PrgSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QString BrowserBrandFolder(const QString &brandCode)
{
    if (brandCode == QLatin1String("LU"))
        return QStringLiteral("LUMO");
    if (brandCode == QLatin1String("QN"))
        return QStringLiteral("QN");
    if (brandCode == QLatin1String("VJ") || brandCode == QLatin1String("VQ"))
        return QStringLiteral("VOQ");
    if (brandCode == QLatin1String("TK"))
        return QStringLiteral("TREMIK");
    return QString();
}

QString BrowserDealerFolder(const CPrgSettings &settings)
{
    // The same choice as the spot-repair data files of the dealer.
    return settings.MarketingCampaignsORVA ? settings.DealerDataStorageORVA
                                           : settings.DealerDataStorage;
}

QString SpotRepairContentTablePath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/SRP/SpotrContent.txt");
}

std::vector<CSpotRepairContentRow> ReadSpotRepairContentTable(const QString &path)
{
    std::vector<CSpotRepairContentRow> rows;
    QFile file(path);
    // A table is a few dozen rows; anything far larger is no such table.
    constexpr qint64 kMaxTableSize = 1024 * 1024;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxTableSize)
        return rows;
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.isEmpty())
        return rows;
    // The columns by the names of the first line.
    const QStringList names = lines.first().trimmed().split(QLatin1Char('\t'));
    const qsizetype eReihe = names.indexOf(QStringLiteral("EReihe"));
    const qsizetype typNr = names.indexOf(QStringLiteral("TypNr"));
    const qsizetype modellBez = names.indexOf(QStringLiteral("ModellBez"));
    const qsizetype folder = names.indexOf(QStringLiteral("Ordner"));
    if (eReihe < 0 || folder < 0)
        return rows;
    auto field = [](const QStringList &fields, qsizetype column) {
        return column >= 0 && column < fields.size() ? fields.at(column).trimmed() : QString();
    };
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        CSpotRepairContentRow row{field(fields, eReihe), field(fields, typNr),
                                  field(fields, modellBez), field(fields, folder)};
        if (!row.eReihe.isEmpty() && !row.folder.isEmpty())
            rows.push_back(row);
    }
    return rows;
}

QString SpotRepairContentFolder(const CPrgSettings &settings,
                                const std::vector<CSpotRepairContentRow> &table)
{
    const QString series = settings.EReihe.trimmed();
    const QString typNr = settings.Bestellnr.trimmed();
    const QStringList words =
        settings.ModellBez.toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const CSpotRepairContentRow &row : table) {
        if (row.eReihe != series || (!row.typNr.isEmpty() && row.typNr != typNr))
            continue;
        bool allWords = true;
        for (const QString &word :
             row.modellBezWords.toUpper().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            allWords = allWords && words.contains(word);
        if (allWords)
            return row.folder;
    }
    return series;
}

QUrl BrowserDocument(const CPrgSettings &s, int mode, const QString &language,
                     const QString &serverBase)
{
    if (s.bSession && !serverBase.isEmpty() && mode >= kBrowserWheelsTyres &&
        mode <= kBrowserBuildState) {
        QString path;
        if (mode == kBrowserWheelsTyres)
            path = QStringLiteral("/DATAS/RadReif/%1/index.htm").arg(language);
        else if (mode == kBrowserSaList)
            path = QStringLiteral("/DATAS/SRP/sa_list/%1/SAList%1.html").arg(language);
        else
            path = QStringLiteral("/DATAS/Baustand/BST_%1.htm").arg(language);
        return QUrl(serverBase + path);
    }
    const QString data = s.DataDir;
    QString file;
    QString fallback;
    switch (mode) {
    case kBrowserNews: {
        // An unknown brand leaves the folder empty: the path then holds two
        // separators in a row and names no document.
        const QString brand = BrowserBrandFolder(s.Marke);
        file = QStringLiteral("%1/News/%2/NEWS%3.html").arg(data, brand, language);
        fallback = QStringLiteral("%1/News/%2/NEWS01.html").arg(data, brand);
        break;
    }
    case kBrowserWheelsTyres:
        file = QStringLiteral("%1/RadReif/%2/index.htm").arg(data, language);
        fallback = QStringLiteral("%1/RadReif/01/index.htm").arg(data);
        break;
    case kBrowserSaList:
        file = QStringLiteral("%1/SRP/sa_list/%2/SAList%2.html").arg(data, language);
        fallback = QStringLiteral("%1/SRP/sa_list/01/SAList01.html").arg(data);
        break;
    case kBrowserBuildState:
        file = QStringLiteral("%1/Baustand/BST_%2.htm").arg(data, language);
        fallback = QStringLiteral("%1/Baustand/BST_01.htm").arg(data);
        break;
    case kBrowserDealerParts:
        file = QStringLiteral("%1/SRP/DIP/Dip_%2.htm").arg(data, language);
        fallback = QStringLiteral("%1/SRP/DIP/Dip_01.htm").arg(data);
        break;
    case kBrowserSpotRepairInfo: {
        const QString dealer = BrowserDealerFolder(s);
        file = QStringLiteral("%1/Spotrepair/info_%2.html").arg(dealer, language);
        fallback = QStringLiteral("%1/Spotrepair/info_01.html").arg(dealer);
        break;
    }
    case kBrowserSpotRepairContent: {
        const QString dealer = BrowserDealerFolder(s);
        const QString folder = SpotRepairContentFolder(
            s, ReadSpotRepairContentTable(SpotRepairContentTablePath(data)));
        file = QStringLiteral("%1/Spotrepair/content/%2/index.html").arg(dealer, folder);
        fallback = QStringLiteral("%1/Spotrepair/content/Default/index.html").arg(dealer);
        break;
    }
    default:
        return QUrl();
    }
    return QUrl::fromLocalFile(QFileInfo::exists(file) ? file : fallback);
}

void CBrowserNav::Open(int mode, const QUrl &document, int returnPage)
{
    m_nMode = mode;
    m_home = document;
    m_history.assign(1, document);
    m_nIndex = 0;
    m_bHomeOffered = false;
    m_nReturnPage = returnPage;
}

QUrl CBrowserNav::Current() const
{
    return m_nIndex >= 0 ? m_history[size_t(m_nIndex)] : QUrl();
}

void CBrowserNav::Moved(bool couldGoBack, bool couldGoForward)
{
    if ((CanGoBack() && !couldGoBack) || (CanGoForward() && !couldGoForward))
        m_bHomeOffered = true;
}

void CBrowserNav::Follow(const QUrl &url)
{
    const bool couldGoBack = CanGoBack();
    const bool couldGoForward = CanGoForward();
    m_history.resize(size_t(m_nIndex + 1));
    m_history.push_back(url);
    ++m_nIndex;
    Moved(couldGoBack, couldGoForward);
}

bool CBrowserNav::Back()
{
    if (!CanGoBack())
        return false;
    const bool couldGoForward = CanGoForward();
    --m_nIndex;
    Moved(true, couldGoForward);
    return true;
}

bool CBrowserNav::Forward()
{
    if (!CanGoForward())
        return false;
    const bool couldGoBack = CanGoBack();
    ++m_nIndex;
    Moved(couldGoBack, true);
    return true;
}

QUrl CBrowserNav::Home()
{
    Follow(m_home);
    m_bHomeOffered = false;
    return m_home;
}

int CBrowserNav::TakeReturnPage()
{
    const int page = m_nReturnPage;
    m_nReturnPage = 0;
    return page;
}

CBrowserNav::Escape CBrowserNav::OnEscape() const
{
    if (!CanGoBack())
        return Escape::Home;
    return m_nReturnPage ? Escape::Return : Escape::Nothing;
}
