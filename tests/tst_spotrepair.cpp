// The spot-repair branch without the pages: the paint-class and matrix rows
// of the package list, the work lines and combination factors of the
// spot-repair package, and the choice of at most two works.

#include "basket/model/WKList.h"
#include "basket/transfer/TransferRequest.h"
#include "dms/DmsClient.h"
#include "dms/SoapReqSender.h"
#include "packages/edit/SpotRepairData.h"
#include "packages/edit/SpotRepairPackage.h"
#include "packages/list/SpotRepairRows.h"
#include "packages/model/Paket.h"
#include "packages/model/SpotRepairLine.h"
#include "packages/pricing/PackagePriceRequest.h"
#include "packages/pricing/SpotRepairPrices.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/TestMain.h"
#include "yaq2-dms/StandInDms.h"

#include <QFile>
#include <QHostAddress>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char *kPaintHeader = "NSCID\tDLRID\tBrand\tPNT_CLASS\tPNT_CLASS_ATTR1\tPNT_CLASS_NAME\tPNT_"
                           "CLASS_ATTR2\n";
const char *kMatrixHeader =
    "NSCID\tDLRID\tBrand\tMATRIX_FIELD\tWORK_UNIT_NO\tNET_PRICE\tVAT_PERCENT\tCURRENCY\n";
const char *kDamageHeader =
    "NSCID\tDLRID\tBrand\tDMG_CLASS\tDMG_CLASS_ATTR1\tDMG_CLASS_NAME\tDMG_CLASS_ATTR2\n";
const char *kSpotrHeader =
    "NSCID\tDLRID\tBrand\tPNT_CLASS\tDMG_CLASS\tSPOTR_COLOUR\tMA_PERCENT\tSPOTR_QUANTITY\n";
const char *kCombHeader =
    "NSCID\tDLRID\tBrand\tPNT_CLASS\tDMG_CLASS_1\tDMG_CLASS_2\tSPOTR_COLOUR\tCOMB_FACTOR\n";

void Write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The way of the demo: paint class 1 of brand V, matrix row 9999011.
std::unique_ptr<CPosition> MatrixLine()
{
    CPackageRow row;
    row.level = kLevelMatrixRow;
    row.number = QStringLiteral("9999011");
    row.spot[SpotNscId] = QStringLiteral("N01");
    row.spot[SpotDlrId] = QStringLiteral("D1");
    row.spot[SpotBrandLetter] = QStringLiteral("V");
    row.spot[SpotPaintClass] = QStringLiteral("1");
    row.spot[SpotWorkUnitNumber] = row.number;
    row.spotNet = 100.0;
    row.spotVat = 0.0;
    row.spotCurrency = QStringLiteral("EUR");
    return CSpotRepairRows::SpotRepairPathLine(row);
}

// A package of the way: spot-repair row, head and matrix row.
void TakeWay(CPaket &paket)
{
    CPackageRow top;
    top.level = kLevelTop;
    top.marker = kMarkerSpotRepair;
    top.groupText = QStringLiteral("Care");
    CPackageRow entry = top;
    entry.level = kLevelSpotRepairEntry;
    CPackageRow paint = top;
    paint.level = kLevelPaintClass;
    const auto spot = CSpotRepairRows::SpotRepairPathLine(top);
    const auto matrix = MatrixLine();
    CPosition head = *matrix;
    head.Type = kSpotRepairHeadType;
    QVERIFY(CSpotRepairData::TakeRows(
        paket, spot.get(), &head, CSpotRepairRows::SpotRepairPathLine(entry).get(),
        CSpotRepairRows::SpotRepairPathLine(paint).get(), matrix.get()));
}

QString Choices(const std::vector<CPosition *> &works)
{
    QString text;
    for (const CPosition *line : works)
        text += QString::number(line->Selected + line->Doubled);
    return text;
}

} // namespace

class TestSpotRepair : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    CPrgSettings m_settings;

    QString Folder() const { return m_dir.path(); }
    // The works S (green, yellow), M (green only), L (yellow only) of
    // paint class 1.
    // The demo way taken into the package and its works loaded from the
    // files written with the combination file `comb`.
    std::vector<CPosition *> LoadedWorks(CPaket &paket, const QByteArray &comb)
    {
        WriteWorks(comb);
        TakeWay(paket);
        CSpotRepairData(Folder(), QStringLiteral("V"))
            .LoadWorks(paket, *CSpotRepairData::MatrixRow(paket));
        return CSpotRepairData::WorkLines(paket);
    }

    void WriteWorks(const QByteArray &comb)
    {
        Write(Folder() + "/SPOTR_DMG_CLASS_TXT.dat", QByteArray(kDamageHeader) +
                                                         "N01\tD1\tV\tS\t1\tSmall\t\n"
                                                         "N01\tD1\tV\tM\t2\tMedium\t\n"
                                                         "N01\tD1\tL\tX\t2\tOther brand\t\n"
                                                         "N01\tD1\tV\tL\t3\tLarge\t\n");
        Write(Folder() + "/SPOTR.dat", QByteArray(kSpotrHeader) + "N01\tD1\tV\t1\tS\tGR\t050\t01\n"
                                                                  "N01\tD1\tV\t1\tS\tYE\t0\t02\n"
                                                                  "N01\tD1\tV\t1\tM\tGR\t0\t1\n"
                                                                  "N01\tD1\tV\t1\tL\tYE\t0\t1\n");
        Write(Folder() + "/SPOTR_COMB.dat", QByteArray(kCombHeader) + comb);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void brandLetter_data()
    {
        QTest::addColumn<QString>("brand");
        QTest::addColumn<QString>("letter");
        // clang-format off
        QTest::newRow("small-car brand")   << "LU" << "L";
        QTest::newRow("small-car, lower")  << "lu" << "L";
        QTest::newRow("main brand")        << "VQ" << "V";
        QTest::newRow("any other brand")   << "TK" << "V";
        // clang-format on
    }
    void brandLetter()
    {
        QFETCH(QString, brand);
        QFETCH(QString, letter);
        QCOMPARE(SpotRepairBrandLetter(brand), letter);
    }

    void paintClassesOnceInReverseFileOrder()
    {
        Write(Folder() + "/SPOTR_PNT_CLASS_TXT.dat", QByteArray(kPaintHeader) +
                                                         "N01\tD1\tV\tA\tu\tClass A\t\n"
                                                         "N01\tD1\tV\tB\tu\tClass B\t\n"
                                                         "N01\tD1\tL\tZ\tu\tOther brand\t\n"
                                                         "N01\tD1\tV\tA\tu\tClass A again\t\n"
                                                         "N01\tD1\tV\tC\tu\tClass C\t\n");
        CPackageList list;
        CSpotRepairRows::AddEntryRow(list, QStringLiteral("Lack"));
        CSpotRepairRows::AddEntryRow(list, QStringLiteral("Lack"));
        QCOMPARE(int(list.RowsOfLevel(kLevelSpotRepairEntry).size()), 1);
        const CSpotRepairRead read = CSpotRepairRows(Folder(), QStringLiteral("V"))
                                         .ShowPaintClasses(list, *list.FirstOfLevel(3));
        QStringList classes;
        for (const CPackageRow *row : list.RowsOfLevel(kLevelPaintClass))
            classes << row->spot[SpotPaintClass];
        QCOMPARE(classes, QStringList({"C", "B", "A"}));
        QCOMPARE(read.found, 4);
        QCOMPARE(list.FirstOfLevel(kLevelPaintClass)->spot[SpotRepairText], QStringLiteral("Lack"));
        // The first paint class is the current one.
        QCOMPARE(list.Current(kLevelPaintClass), list.FirstOfLevel(kLevelPaintClass));
    }

    void matrixMismatchesAreCollectedAndRowsKept()
    {
        Write(Folder() + "/SPOTR_MATRIX.dat", QByteArray(kMatrixHeader) +
                                                  "N01\tD1\tV\t1S\t9999011\t89.00\t19\tEUR\n"
                                                  "N01\tD9\tV\t1M\t9999012\t129.00\t19\tEUR\n"
                                                  "N02\tD9\tV\t2S\t9999013\t99.00\t19\tEUR\n");
        CPackageList list;
        CPackageRow paint;
        paint.level = kLevelPaintClass;
        paint.spot[SpotNscId] = QStringLiteral("N01");
        paint.spot[SpotDlrId] = QStringLiteral("D1");
        paint.spot[SpotBrandLetter] = QStringLiteral("V");
        const CSpotRepairRead read =
            CSpotRepairRows(Folder(), QStringLiteral("V")).ShowMatrixRows(list, paint);
        QCOMPARE(int(list.RowsOfLevel(kLevelMatrixRow).size()), 3);
        QCOMPARE(read.mismatches.size(), 3); // one DLRID, then NSCID and DLRID
        QCOMPARE(list.FirstOfLevel(kLevelMatrixRow)->number, QStringLiteral("9999013"));
        QCOMPARE(list.FirstOfLevel(kLevelMatrixRow)->spotNet, 99.0);
    }

    void matrixTextsThatCouldNotBeReadAreSaid_data()
    {
        QTest::addColumn<QString>("unreadable"); // the work unit whose texts fail
        QTest::addColumn<bool>("failed");
        QTest::newRow("every text read") << QString() << false;
        QTest::newRow("the last row's texts") << QStringLiteral("9999012") << true;
    }

    void matrixTextsThatCouldNotBeReadAreSaid()
    {
        QFETCH(QString, unreadable);
        QFETCH(bool, failed);
        Write(Folder() + "/SPOTR_MATRIX.dat", QByteArray(kMatrixHeader) +
                                                  "N01\tD1\tV\t1S\t9999011\t89.00\t19\tEUR\n"
                                                  "N01\tD1\tV\t1M\t9999012\t129.00\t19\tEUR\n");
        CPackageList list;
        CPackageRow paint;
        paint.spot[SpotNscId] = QStringLiteral("N01");
        paint.spot[SpotDlrId] = QStringLiteral("D1");
        paint.spot[SpotBrandLetter] = QStringLiteral("V");
        CSpotRepairRows rows(Folder(), QStringLiteral("V"));
        rows.SetTextReader([unreadable](CPackageRow &row, const QString &number) {
            row.texts[0] = QStringLiteral("Text ") + number;
            return number != unreadable;
        });
        QCOMPARE(rows.ShowMatrixRows(list, paint).textsFailed, failed);
    }

    void missingMatrixNamesTheFile()
    {
        CPackageList list;
        const CSpotRepairRead read =
            CSpotRepairRows(Folder() + "/nowhere", QStringLiteral("V")).ShowMatrixRows(list, {});
        QVERIFY(read.missingFile.endsWith(QLatin1String("nowhere/SPOTR_MATRIX.dat")));
        QCOMPARE(read.found, 0);
    }

    void takeRowsNeedsTheWholeWay()
    {
        CPaket paket;
        const auto matrix = MatrixLine();
        CPosition notSpot = *matrix;
        notSpot.HG = QStringLiteral("64");
        QVERIFY(!CSpotRepairData::TakeRows(paket, &notSpot, matrix.get(), matrix.get(),
                                           matrix.get(), matrix.get()));
        QVERIFY(!CSpotRepairData::TakeRows(paket, matrix.get(), nullptr, matrix.get(), matrix.get(),
                                           matrix.get()));
        QVERIFY(paket.IsEmpty());
    }

    void worksFollowTheDamageClasses()
    {
        WriteWorks(QByteArray());
        CPaket paket;
        TakeWay(paket);
        QVERIFY(IsSpotRepairPackage(paket));
        const CSpotRepairMessages messages =
            CSpotRepairData(Folder(), QStringLiteral("V"))
                .LoadWorks(paket, *CSpotRepairData::MatrixRow(paket));
        QVERIFY(messages.missingFiles.isEmpty());
        const auto works = CSpotRepairData::WorkLines(paket);
        QCOMPARE(works.size(), size_t(4));
        // In file order, green before yellow, all behind the way (a work of
        // the head's number is not sorted in after the head).
        QCOMPARE(paket.GetAt(paket.GetCount() - 4), works[0]);
        QCOMPARE(works[0]->Spot[SpotDamageClass] + works[0]->Spot[SpotColour],
                 QStringLiteral("SGR"));
        QCOMPARE(works[1]->Spot[SpotDamageClass] + works[1]->Spot[SpotColour],
                 QStringLiteral("SYE"));
        QCOMPARE(works[2]->Spot[SpotDamageClass] + works[2]->Spot[SpotColour],
                 QStringLiteral("MGR"));
        QCOMPARE(works[2]->HasPartnerColour, 0);
        // Without its green work the yellow one stands alone too.
        QCOMPARE(works[3]->Spot[SpotDamageClass] + works[3]->Spot[SpotColour],
                 QStringLiteral("LYE"));
        QCOMPARE(works[3]->HasPartnerColour, 0);
        QCOMPARE(works[0]->Spot[SpotMaPercentField], QStringLiteral("50"));
        QCOMPARE(works[1]->Quantity, QStringLiteral("2"));
        QCOMPARE(works[0]->Number, QStringLiteral("9999011"));
    }

    void combinationFactor_data()
    {
        QTest::addColumn<QString>("clicks"); // work index per double click
        QTest::addColumn<QByteArray>("comb");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("pair, leading zeros")  << "02" << QByteArray("N01\tD1\tV\t1\tS\tM\tGR\t0001.5\n")   << "1.5" << "1.5";
        QTest::newRow("factor below one")     << "02" << QByteArray("N01\tD1\tV\t1\tS\tM\tGR\t000.5\n")    << "0.5" << ".5";
        QTest::newRow("yellow in the pair")   << "12" << QByteArray("N01\tD1\tV\t1\tS\tM\tYE\t1.7\n")      << "1.7" << "1.7";
        QTest::newRow("yellow second in the pair") << "01" << QByteArray("N01\tD1\tV\t1\tS\tS\tYE\t1.3\n") << "1.3" << "1.3";
        QTest::newRow("one work twice")       << "00" << QByteArray("N01\tD1\tV\t1\tS\tS\tGR\t1.2\n")      << "1.2" << "1.2";
        QTest::newRow("single work")          << "0"  << QByteArray("N01\tD1\tV\t1\tS\tS\tGR\t1.2\n")      << ""    << "";
        QTest::newRow("no factor in the file") << "02" << QByteArray("N01\tD1\tV\t1\tS\tS\tGR\t1.2\n")     << ""    << "";
        // clang-format on
    }
    void combinationFactor()
    {
        QFETCH(QString, clicks);
        QFETCH(QByteArray, comb);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        CPaket paket;
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        const auto works = LoadedWorks(paket, comb);
        CSpotRepairData::ToggleResult result;
        for (const QChar click : clicks)
            result = data.ToggleWork(paket, works[size_t(click.digitValue())], &m_settings);
        QCOMPARE(result.result, CSpotRepairData::Toggle::Changed);
        QCOMPARE(result.factor, shown);
        QCOMPARE(works[size_t(clicks.at(0).digitValue())]->Spot[SpotFactor], stored);
    }

    void differentPaintClassesHaveNoFactor()
    {
        CPaket paket;
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        auto works = LoadedWorks(paket, "N01\tD1\tV\t1\tS\tM\tGR\t1.5\n");
        works[2]->Spot[SpotPaintClass] = QStringLiteral("2");
        data.ToggleWork(paket, works[0], &m_settings);
        QCOMPARE(data.ToggleWork(paket, works[2], &m_settings).factor, QString());
    }

    void choosingWorks_data()
    {
        QTest::addColumn<QString>("clicks");  // work index; f: the head has an inclusive
                                              // price, m: a price set by hand
        QTest::addColumn<QString>("choices"); // per work: 0 not, 1 once, 2 twice
        QTest::addColumn<int>("lastResult");
        QTest::addColumn<bool>("overLimit");
        QTest::addColumn<int>("manualMark"); // the head's hand-set price mark at the end
        const int changed = int(CSpotRepairData::Toggle::Changed);
        const int unchanged = int(CSpotRepairData::Toggle::Unchanged);
        const int ignored = int(CSpotRepairData::Toggle::Ignored);
        // clang-format off
        QTest::newRow("three clicks: not chosen again")          << "000"  << "0000" << changed   << false << 0;
        QTest::newRow("twice counts two")                         << "00"   << "2000" << changed   << false << 0;
        QTest::newRow("third work refused")                       << "012"  << "1100" << unchanged << true  << 0;
        QTest::newRow("one of two chosen again: the other stays") << "010"  << "0100" << changed   << true  << 0;
        QTest::newRow("the other of two chosen again")            << "011"  << "1000" << changed   << true  << 0;
        QTest::newRow("dropped, then chosen again freely")        << "0100" << "1100" << changed   << false << 0;
        QTest::newRow("twice, then another refused")              << "001"  << "2000" << unchanged << true  << 0;
        QTest::newRow("no choice under an inclusive price")       << "f0"   << "0000" << ignored   << false << 0;
        QTest::newRow("a change ends the price set by hand")      << "m0"   << "1000" << changed   << false << 0;
        QTest::newRow("a refused work keeps the price by hand")   << "01m2" << "1100" << unchanged << true  << 1;
        // clang-format on
    }
    void choosingWorks()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, choices);
        QFETCH(int, lastResult);
        QFETCH(bool, overLimit);
        QFETCH(int, manualMark);
        CPaket paket;
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        const auto works = LoadedWorks(paket, "N01\tD1\tV\t1\tS\tS\tGR\t1.5\n");
        CPosition *head = paket.GetKopf();
        CSpotRepairData::ToggleResult result;
        for (const QChar click : clicks) {
            if (click == QLatin1Char('f'))
                head->Preise1.FlatPrice = 1;
            else if (click == QLatin1Char('m'))
                head->PriceCalcFlag = 1;
            else
                result = data.ToggleWork(paket, works[size_t(click.digitValue())], &m_settings);
        }
        QCOMPARE(Choices(works), choices);
        QCOMPARE(int(result.result), lastResult);
        QCOMPARE(result.overLimit, overLimit);
        QCOMPARE(head->PriceCalcFlag, manualMark);
    }

    void aFactorOfAnEndedPairIsNotKept()
    {
        CPaket paket;
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        const auto works = LoadedWorks(paket, "N01\tD1\tV\t1\tS\tM\tGR\t1.5\n");
        data.ToggleWork(paket, works[0], &m_settings);
        data.ToggleWork(paket, works[2], &m_settings);
        QCOMPARE(works[0]->Spot[SpotFactor], QStringLiteral("1.5"));
        // The second work chosen again would make three works: it loses its
        // choice, and the pair has ended.
        data.ToggleWork(paket, works[2], &m_settings);
        QCOMPARE(works[0]->Spot[SpotFactor], QString());
        QCOMPARE(works[2]->Spot[SpotFactor], QString());
    }

    void pairPriceUsesTheFactor()
    {
        CPaket paket;
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        const auto works = LoadedWorks(paket, "N01\tD1\tV\t1\tS\tM\tGR\t1.5\n");
        data.ToggleWork(paket, works[0], &m_settings); // 100 net, +50 %: 150
        data.ToggleWork(paket, works[2], &m_settings); // 100 net
        QCOMPARE(paket.GetKopf()->Preise1.Net, (150.0 + 100.0) * 1.5);
        QCOMPARE(paket.GetKopf()->Type, int(kSpotRepairHeadType));
    }

    void activation_data()
    {
        QTest::addColumn<QString>("steps"); // w: way taken, b: basket package, 0/1: shown
        QTest::addColumn<int>("works");
        QTest::addColumn<int>("chosen");
        // clang-format off
        QTest::newRow("way shown once")                  << "w0"    << 4 << 0;
        QTest::newRow("way shown twice: works once")     << "w00"   << 4 << 0;
        QTest::newRow("shown from the basket side")      << "w01"   << 4 << 0;
        QTest::newRow("basket package as stored")        << "b1"    << 2 << 2;
        QTest::newRow("basket package shown again")      << "b11"   << 2 << 2;
        QTest::newRow("new way wins over basket")        << "bw0"   << 4 << 0;
        QTest::newRow("basket after a way")              << "w0b1"  << 2 << 2;
        QTest::newRow("basket waits for keep content 1") << "w0b0"  << 4 << 0;
        // clang-format on
    }
    void activation()
    {
        QFETCH(QString, steps);
        QFETCH(int, works);
        QFETCH(int, chosen);
        WriteWorks("N01\tD1\tV\t1\tS\tM\tGR\t.8\n");
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        // The stored package: the two works of a pair, with their factor.
        CPaket pair;
        TakeWay(pair);
        data.LoadWorks(pair, *CSpotRepairData::MatrixRow(pair));
        auto pairWorks = CSpotRepairData::WorkLines(pair);
        data.ToggleWork(pair, pairWorks[0], &m_settings);
        data.ToggleWork(pair, pairWorks[2], &m_settings);
        CPaket basket;
        TakeWay(basket);
        for (CPosition *work : {pairWorks[0], pairWorks[2]})
            basket.AddPosition(std::make_unique<CPosition>(*work));

        CSpotRepairPackage package;
        const auto way = MatrixLine();
        CPackageRow top;
        top.level = kLevelTop;
        const auto spot = CSpotRepairRows::SpotRepairPathLine(top);
        CPosition head = *way;
        head.Type = kSpotRepairHeadType;
        CSpotRepairPackage::Activation shown;
        for (const QChar step : steps) {
            if (step == QLatin1Char('w'))
                QVERIFY(package.TakeRows(spot.get(), &head, way.get(), way.get(), way.get()));
            else if (step == QLatin1Char('b'))
                package.TakeBasketPackage(basket);
            else
                shown = package.Activate(step.digitValue(), data, &m_settings);
        }
        const auto lines = CSpotRepairData::WorkLines(package.Paket());
        QCOMPARE(int(lines.size()), works);
        QCOMPARE(CSpotRepairData::CountChosen(lines), chosen);
        QCOMPARE(shown.factor, chosen ? QStringLiteral("0.8") : QString());
        // The works are priced when shown (a way's) or as stored: 100 net a
        // piece and their "MA in %" more.
        for (const CPosition *line : lines) {
            const QString percent = line->Spot[SpotMaPercentField];
            QCOMPARE(line->Preise1.Net,
                     ParseNumber(line->Quantity) *
                         (100.0 + (percent.isEmpty() ? 0.0 : ParseNumber(percent))));
        }
    }

    void priceRequestNamesTheSpotRepairHead()
    {
        WriteWorks(QByteArray());
        CPaket paket;
        TakeWay(paket);
        CSpotRepairData(Folder(), QStringLiteral("V"))
            .LoadWorks(paket, *CSpotRepairData::MatrixRow(paket));
        CPrgSettings s;
        s.SRPInterfaceReq = 4;
        s.XMLx = 1;
        s.V115 = 1;
        s.V117 = 1;
        s.TypSchl = QStringLiteral("7A01");
        s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
        QVERIFY(CSpotRepairPrices::WantsRequest(paket));
        const QString body = CPackagePriceRequest(s).Build(paket, QStringLiteral("01.05.00"));
        QVERIFY(body.contains(QLatin1String("PackageOrigin=\"Q\"")));
        QVERIFY(body.contains(QLatin1String("PackageType=\"CCP\"")));
        QVERIFY(body.contains(QLatin1String("isValueLine=")));
        // One head: the type-6 matrix row of the way is not sent as one.
        QCOMPARE(body.count(QLatin1String("<number>999901117A010</number>")), 1);
        QCOMPARE(body.count(QLatin1String("<flatRates")), 4);
    }

    void transferSendsOneFlatRateOfTheHead()
    {
        WriteWorks("N01\tD1\tV\t1\tS\tM\tGR\t1.5\n");
        auto paket = std::make_unique<CPaket>();
        TakeWay(*paket);
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        data.LoadWorks(*paket, *CSpotRepairData::MatrixRow(*paket));
        const auto works = CSpotRepairData::WorkLines(*paket);
        data.ToggleWork(*paket, works[0], &m_settings);
        data.ToggleWork(*paket, works[2], &m_settings);
        CPrgSettings s;
        s.SRPInterfaceSend = 4;
        s.XMLx = 1;
        s.V115 = 1;
        s.V117 = 1;
        s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
        s.TypSchl = QStringLiteral("7A01");
        UpdateDmsHeader(&s);
        CWKList basket;
        basket.Add(CWKListItem(WK_CCP, std::move(paket)), 1);
        const QString body =
            CTransferRequest(s, CTransferOrder()).Build(basket, DmsHeaderVersion(s));
        QVERIFY(body.contains(QLatin1String("PackageOrigin=\"Q\" PackageType=\"CCP\"")));
        // The way's matrix row keeps a head's type: it is not sent as a
        // second package head.
        QCOMPARE(body.count(QLatin1String("<number>999901117A010</number>")), 1);
        QCOMPARE(body.count(QLatin1String("<flatRates")), 1);
    }

    void dealerFilesPriceThePairWithItsFactor()
    {
        CPaket paket;
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        const auto works = LoadedWorks(paket, "N01\tD1\tV\t1\tS\tM\tGR\t1.5\n");
        CPrgSettings s;
        s.SRPInterfaceReq = 3;
        s.ReqDateiVerz = QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Dealer");
        data.ToggleWork(paket, works[0], &s); // 50 % more
        data.ToggleWork(paket, works[2], &s);
        CSpotRepairPrices::PriceLocally(paket, &s, nullptr);
        // The labour price of main group "99" of the demo dealer.
        QCOMPARE(works[0]->Preise1.UnitNet, 89.0);
        QCOMPARE(paket.GetKopf()->Preise1.Net, (89.0 * 1.5 + 89.0) * 1.5);
    }

    void standInPricesThePairWithItsFactor()
    {
        StandInDms dms;
        QString error;
        QVERIFY2(dms.serveFiles(QStringLiteral(YAQ_DMS_VEHICLES), QStringLiteral(YAQ_DMS_PACKAGES),
                                &error),
                 qPrintable(error));

        CPaket paket;
        const CSpotRepairData data(Folder(), QStringLiteral("V"));
        const auto works = LoadedWorks(paket, "N01\tD1\tV\t1\tS\tM\tGR\t1.5\n");
        CPrgSettings s;
        s.SRPInterfaceReq = 4;
        s.XMLx = 1;
        s.V115 = 1;
        s.V117 = 1;
        s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
        s.Fgstnr = s.FgstnrFull.right(7);
        s.TypSchl = QStringLiteral("7A01");
        s.ReqXMLServer = QStringLiteral("http://127.0.0.1:%1/").arg(dms.port());
        UpdateDmsHeader(&s);
        data.ToggleWork(paket, works[0], &s); // 50 % more
        data.ToggleWork(paket, works[2], &s);
        CSoapReqSender sender(&s);
        CDmsClient client(&s, &sender);
        CSpotRepairPrices::Request(paket, client, nullptr);
        QCOMPARE(works[0]->Preise1.UnitNet, 89.0);
        QCOMPARE(works[2]->Preise1.UnitNet, 89.0);
        QCOMPARE(paket.GetKopf()->Preise1.Net, (89.0 * 1.5 + 89.0) * 1.5);
    }
};

YAQ_TEST_GUILESS_MAIN(TestSpotRepair)
#include "tst_spotrepair.moc"
