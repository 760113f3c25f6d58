// The basket's entry list: duplicates with overwrite, second entry and
// refusal; totals with mixed currencies and missing prices; emptying;
// moving, removing and editing entries.

#include "basket/model/WKList.h"
#include "basket/model/WkBasket.h"
#include "basket/model/WkDuplicateQuestion.h"
#include "basket/model/WkLabourEdit.h"
#include "packages/model/Paket.h"
#include "packages/model/PaketNotice.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QtTest>

Q_DECLARE_METATYPE(WkDuplicateAnswer)
Q_DECLARE_METATYPE(WkOffered)

namespace {

int KindOf(const QString &name)
{
    static const QHash<QString, int> kinds = {
        {QStringLiteral("SRP"), WK_SRP},          {QStringLiteral("MKP2"), WK_CAMPAIGN},
        {QStringLiteral("MKP3"), WK_CAMPAIGN_LR}, {QStringLiteral("POS"), WK_POSITION},
        {QStringLiteral("BF"), WK_POSITION},      {QStringLiteral("GRP"), WK_GRP},
        {QStringLiteral("CCP"), WK_CCP},          {QStringLiteral("SIP"), WK_SIP},
        {QStringLiteral("VLP"), WK_VLP}};
    return kinds.value(name, -1);
}

// "SRP:P1@a": an entry of the kind with the key as head number and package
// key (campaign packages: as campaign number; spot-repair packages: as the
// field their comparison reads), "a" as tag to tell entries apart. A "*"
// after the key puts the edit mark on the head; "-" as key: a package
// without head. POS is a labour position, BF a finding, both kind 4.
CWKListItem Entry(const QString &spec)
{
    const QString kindName = spec.section(QLatin1Char(':'), 0, 0);
    QString key = spec.section(QLatin1Char(':'), 1).section(QLatin1Char('@'), 0, 0);
    const QString tag = spec.section(QLatin1Char('@'), 1);
    const bool marked = key.endsWith(QLatin1Char('*'));
    if (marked)
        key.chop(1);
    const int kind = KindOf(kindName);
    if (kind == WK_POSITION) {
        auto pos = std::make_unique<CPosition>();
        pos->Type = kindName == QLatin1String("BF") ? POS_FINDING : POS_BASKET_LABOUR;
        pos->Number = key;
        pos->AwText1 = tag;
        return CWKListItem(std::move(pos));
    }
    auto paket = std::make_unique<CPaket>();
    if (key != QLatin1String("-")) {
        auto head = std::make_unique<CPosition>();
        head->Type = POS_HEAD;
        head->Number = head->PaketID = head->Spot[4] = key;
        head->Text = tag;
        paket->AddPosition(std::move(head));
        auto campaign = std::make_unique<CPosition>();
        campaign->Type = POS_SPECIAL4;
        campaign->Campaign[CPosition::CampaignNumber] = key;
        paket->AddPosition(std::move(campaign));
    }
    CWKListItem entry(kind, std::move(paket));
    CWKListItem::SetEditMark(entry.Paket.get(), marked);
    return entry;
}

QString Tags(const CWKList &list)
{
    QStringList tags;
    for (const auto &entry : list) {
        if (entry->Kind == WK_POSITION)
            tags << entry->APos->AwText1;
        else
            tags << (entry->Head() ? entry->Head()->Text : QStringLiteral("?"));
    }
    return tags.join(QLatin1Char(','));
}

void Fill(CWKList &list, const QString &entries)
{
    for (const QString &spec : entries.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        list.Add(Entry(spec), 1);
}

// "SRP:100/80/EUR/1": a package whose roll-up left gross, net, currency and
// the complete flag on its head (campaign packages MKP2: in the campaign
// set, with another customer price beside it); "POS:11.9/10/EUR" a labour
// position, "BF:..." a finding with these prices; "NOHEAD" a package
// without head.
CWKListItem Priced(const QString &spec)
{
    if (spec == QLatin1String("NOHEAD"))
        return Entry(QStringLiteral("SRP:-"));
    const QString kindName = spec.section(QLatin1Char(':'), 0, 0);
    const QStringList f = spec.section(QLatin1Char(':'), 1).split(QLatin1Char('/'));
    CWKListItem entry = Entry(kindName + QStringLiteral(":K"));
    CPriceSet &set = entry.Kind == WK_POSITION                 ? entry.APos->Preise1
                     : CWKListItem::IsCampaignKind(entry.Kind) ? entry.Head()->Preise3
                                                               : entry.Head()->Preise1;
    set.Gross = f[0].toDouble();
    set.Net = f[1].toDouble();
    if (entry.Kind == WK_POSITION) {
        set.Currency = f[2];
    } else {
        set.TotalsCurrency = f[2];
        set.Complete = f[3].toInt();
        if (CWKListItem::IsCampaignKind(entry.Kind)) {
            entry.Head()->Preise1.Gross = entry.Head()->Preise1.Net = 999.0;
            entry.Head()->Preise1.Complete = 1;
        }
    }
    return entry;
}

struct NoticeLog : IPaketNotice
{
    void Notice(const QString &text) override { texts << text; }
    QStringList texts;
};

struct Answering : IWkDuplicateQuestion
{
    explicit Answering(WkDuplicateAnswer a) : answer(a) {}
    WkDuplicateAnswer AskDuplicate(const CWKListItem &) override
    {
        ++asked;
        return answer;
    }
    WkDuplicateAnswer answer;
    int asked = 0;
};

// Counts the basket's "stored" notices and keeps every entry when asked.
struct StoredCounter : IWkBasketAsk
{
    int stored = 0;
    Answer AskDropEntries() override { return Answer::No; }
    void TellStored() override { ++stored; }
    void TellNotice(const QString &) override {}
};

} // namespace

class TestBasketList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void offer_data();
    void offer();
    void duplicateQuestion_data();
    void duplicateQuestion();
    void addModes_data();
    void addModes();
    void serviceHintIsStoredAsTimeWork();
    void duplicateAfterChanges_data();
    void duplicateAfterChanges();
    void totals_data();
    void totals();
    void totalsAfterChanges_data();
    void totalsAfterChanges();
    void emptiedBasketShowsNoSum();
    void removeOnlyOwnEntries();
    void move_data();
    void move();
    void equalEntries_data();
    void equalEntries();
    void editMarksOnlyTheHandedSpotRepairPackage();
    void labourEdit_data();
    void labourEdit();
    void labourEditPrice_data();
    void labourEditPrice();
    void basketListTypes();
    void directTransfer_data();
    void directTransfer();
    void storedNotice_data();
    void storedNotice();
};

void TestBasketList::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR) + QStringLiteral("/Zirava/PrgTxt"));
}

void TestBasketList::offer_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<int>("answer"); // -1: no one to ask
    QTest::addColumn<WkOffered>("result");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QString>("tags");
    const int keep = int(WkDuplicateAnswer::Keep);
    const int over = int(WkDuplicateAnswer::Overwrite);
    const int again = int(WkDuplicateAnswer::StoreAdditionally);
    const int cancel = int(WkDuplicateAnswer::Cancel);
    // clang-format off
    QTest::newRow("same service package is asked and kept") << "SRP:P1@a" << "SRP:P1@n" << keep << WkOffered::Kept << 1 << "a";
    QTest::newRow("other service package is added unasked") << "SRP:P1@a" << "SRP:P2@n" << cancel << WkOffered::Added << 0 << "a,n";
    QTest::newRow("overwrite takes the first duplicate's place") << "SRP:P1@a;SRP:P2@b;SRP:P1@c" << "SRP:P1@n" << over << WkOffered::Replaced << 1 << "n,b,c";
    QTest::newRow("second entry beside the duplicate") << "POS:0012345@a" << "POS:0012345@n" << again << WkOffered::StoredAgain << 1 << "a,n";
    QTest::newRow("cancel stores nothing") << "POS:0012345@a" << "POS:0012345@n" << cancel << WkOffered::Cancelled << 1 << "a";
    QTest::newRow("nobody to ask keeps the stored one") << "POS:0012345@a" << "POS:0012345@n" << -1 << WkOffered::Kept << 0 << "a";
    QTest::newRow("labour number in other letter case") << "POS:00123AB@a" << "POS:00123ab@n" << keep << WkOffered::Added << 0 << "a,n";
    QTest::newRow("finding with the same number") << "BF:0012345@a" << "BF:0012345@n" << again << WkOffered::StoredAgain << 1 << "a,n";
    QTest::newRow("labour number of a package line does not count") << "SRP:0012345@a" << "POS:0012345@n" << keep << WkOffered::Added << 0 << "a,n";
    QTest::newRow("same package key in another kind") << "SRP:P1@a" << "GRP:P1@n" << keep << WkOffered::Added << 0 << "a,n";
    QTest::newRow("same campaign lines are a duplicate") << "MKP2:C1@a" << "MKP2:C1@n" << over << WkOffered::Replaced << 1 << "n";
    QTest::newRow("campaign kinds 2 and 3 stand side by side") << "MKP2:C1@a" << "MKP3:C1@n" << keep << WkOffered::Added << 0 << "a,n";
    QTest::newRow("equal spot-repair packages") << "CCP:X1@a" << "CCP:X1@n" << keep << WkOffered::Kept << 1 << "a";
    QTest::newRow("spot-repair packages both marked") << "CCP:X1@a;CCP:X2*@b" << "CCP:X3*@n" << over << WkOffered::Replaced << 1 << "a,n";
    QTest::newRow("marked spot-repair beside an unmarked one") << "CCP:X1@a" << "CCP:X2*@n" << keep << WkOffered::Added << 0 << "a,n";
    QTest::newRow("packages without head are no duplicates") << "SRP:-@a;SIP:S1@b" << "SRP:-@n" << keep << WkOffered::Added << 0 << "?,b,?";
    // clang-format on
}

void TestBasketList::offer()
{
    QFETCH(QString, stored);
    QFETCH(QString, offered);
    QFETCH(int, answer);
    CWkBasket basket;
    CWKList &list = basket.Entries();
    Fill(list, stored);
    Answering question(WkDuplicateAnswer(qMax(answer, 0)));
    CWKListItem entry = Entry(offered);
    QTEST(basket.Offer(entry, answer < 0 ? nullptr : &question), "result");
    QTEST(question.asked, "asked");
    QTEST(Tags(list), "tags");
}

void TestBasketList::duplicateQuestion_data()
{
    // Row: the box the page asks with ("again": store again, overwrite or
    // cancel; "yes": the package pages' yes, no or cancel), the button
    // pressed, the entry offered -> what the basket did, its entries.
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<WkOffered>("result");
    QTest::addColumn<QString>("tags");
    // clang-format off
    QTest::newRow("again: store again")       << "again" << int(IDSTOREAGAIN) << "POS:0012345@n" << WkOffered::StoredAgain << "a,n";
    QTest::newRow("again: overwrite")         << "again" << int(IDOVERWRITE)  << "POS:0012345@n" << WkOffered::Replaced    << "n";
    QTest::newRow("again: cancel")            << "again" << int(IDCANCEL)     << "POS:0012345@n" << WkOffered::Cancelled   << "a";
    QTest::newRow("again: no cancels")        << "again" << int(IDNO)         << "POS:0012345@n" << WkOffered::Cancelled   << "a";
    QTest::newRow("again: box closed")        << "again" << 0                 << "POS:0012345@n" << WkOffered::Cancelled   << "a";
    QTest::newRow("again: not a duplicate")   << "again" << int(IDCANCEL)     << "POS:0012399@n" << WkOffered::Added       << "a,n";
    QTest::newRow("yes: overwrite")           << "yes"   << int(IDYES)        << "POS:0012345@n" << WkOffered::Replaced    << "n";
    QTest::newRow("yes: no keeps the stored") << "yes"   << int(IDNO)         << "POS:0012345@n" << WkOffered::Kept        << "a";
    QTest::newRow("yes: cancel")              << "yes"   << int(IDCANCEL)     << "POS:0012345@n" << WkOffered::Cancelled   << "a";
    QTest::newRow("yes: store again cancels") << "yes"   << int(IDSTOREAGAIN) << "POS:0012345@n" << WkOffered::Cancelled   << "a";
    // clang-format on
}

// A page's question asked through CWkDuplicateAsk: the box's button
// decides what the basket does, and only a duplicate is asked about.
void TestBasketList::duplicateQuestion()
{
    QFETCH(QString, box);
    QFETCH(int, button);
    QFETCH(QString, offered);
    CWKList list;
    Fill(list, QStringLiteral("POS:0012345@a"));
    QStringList asked;
    CWkDuplicateAsk question([&](const CWKListItem &entry) {
        asked << entry.Number();
        return box == QLatin1String("yes") ? WkOverwriteOrKeep(button)
                                           : WkStoreAgainOrOverwrite(button);
    });
    const CWKListItem entry = Entry(offered);
    QTEST(OfferByModes([&](int mode) { return list.Add(entry, mode); }, entry, &question),
          "result");
    QTEST(Tags(list), "tags");
    QCOMPARE(asked, QStringList(offered.startsWith(QLatin1String("POS:0012345")) ? 1 : 0,
                                QStringLiteral("0012345")));
}

void TestBasketList::addModes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("tags");
    // clang-format off
    QTest::newRow("mode 0 leaves the duplicate")         << "SRP:P1@a"          << 0 << int(WK_ADD_DUPLICATE) << "a";
    QTest::newRow("mode 0 without duplicate appends")    << "SRP:P2@a"          << 0 << int(WK_ADD_DONE)      << "a,n";
    QTest::newRow("mode 1 appends the identical entry")  << "SRP:P1@a"          << 1 << int(WK_ADD_DONE)      << "a,n";
    QTest::newRow("mode 2 replaces the first of two")    << "SRP:P1@a;SRP:P1@b" << 2 << int(WK_ADD_DONE)      << "n,b";
    QTest::newRow("mode 2 without duplicate appends")    << "SRP:P2@a"          << 2 << int(WK_ADD_DONE)      << "a,n";
    // clang-format on
}

void TestBasketList::addModes()
{
    QFETCH(QString, stored);
    QFETCH(int, mode);
    CWKList list;
    Fill(list, stored);
    QTEST(list.Add(Entry(QStringLiteral("SRP:P1@n")), mode), "result");
    QTEST(Tags(list), "tags");
}

void TestBasketList::serviceHintIsStoredAsTimeWork()
{
    CWkBasket basket;
    const CWKList &list = basket.Entries();
    CWKListItem entry = Entry(QStringLiteral("POS:0012345@a"));
    entry.APos->Quantity = OrmelText(3077);
    QCOMPARE(basket.Offer(entry, nullptr), WkOffered::Added);
    QCOMPARE(list.GetAt(0)->APos->Az, QStringLiteral("AZ"));
    QCOMPARE(list.GetAt(0)->APos->Quantity, QString());
    // The basket changed its own copy, never the page's entry.
    QCOMPARE(entry.APos->Quantity, OrmelText(3077));
    QCOMPARE(entry.APos->Az, QString());
}

void TestBasketList::duplicateAfterChanges_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<WkOffered>("result");
    QTest::addColumn<QString>("tags");
    // Steps: "remove N", "down N", "overwrite SPEC" (offered and overwritten),
    // "rekey N KEY" (the stored entry's number and package key changed in
    // place, then RecalcTotals). The last offer is answered "Overwrite".
    // clang-format off
    QTest::newRow("removed entry is no duplicate any more")  << "SRP:P1@a;SRP:P2@b"          << "remove 0"                  << "SRP:P1@n"      << WkOffered::Added    << "b,n";
    QTest::newRow("the duplicate left behind is found")      << "SRP:P1@a;SRP:P1@b"          << "remove 0"                  << "SRP:P1@n"      << WkOffered::Replaced << "n";
    QTest::newRow("first duplicate in the order moved to")   << "SRP:P1@a;SRP:P2@b;SRP:P1@c" << "down 0;down 1"             << "SRP:P1@n"      << WkOffered::Replaced << "b,n,a";
    QTest::newRow("the replacement is found, not the old")   << "POS:0012345@a;POS:0099999@b" << "overwrite POS:0012345@r"  << "POS:0012345@n" << WkOffered::Replaced << "n,b";
    QTest::newRow("emptied basket keeps no key")             << "SRP:P1@a"                   << "remove 0"                  << "SRP:P1@n"      << WkOffered::Added    << "n";
    QTest::newRow("key changed in place is found by its new") << "SRP:P1@a;SRP:P2@b"         << "rekey 0 P9"                << "SRP:P9@n"      << WkOffered::Replaced << "n,b";
    QTest::newRow("key changed in place leaves its old")     << "SRP:P1@a;SRP:P2@b"          << "rekey 0 P9"                << "SRP:P1@n"      << WkOffered::Added    << "a,b,n";
    QTest::newRow("campaign lines changed are looked up anew") << "MKP2:C1@a"                << "rekey 0 C2"                << "MKP2:C2@n"     << WkOffered::Replaced << "n";
    // clang-format on
}

void TestBasketList::duplicateAfterChanges()
{
    QFETCH(QString, stored);
    QFETCH(QString, steps);
    QFETCH(QString, offered);
    CWkBasket basket;
    CWKList &list = basket.Entries();
    Fill(list, stored);
    Answering overwrite(WkDuplicateAnswer::Overwrite);
    for (const QString &step : steps.split(QLatin1Char(';'))) {
        const QStringList words = step.split(QLatin1Char(' '));
        if (words[0] == QLatin1String("remove")) {
            QVERIFY(list.Remove(list.GetAt(words[1].toInt())));
        } else if (words[0] == QLatin1String("down")) {
            QVERIFY(list.MoveDown(words[1].toInt()));
        } else if (words[0] == QLatin1String("overwrite")) {
            CWKListItem replacement = Entry(words[1]);
            QCOMPARE(basket.Offer(replacement, &overwrite), WkOffered::Replaced);
        } else {
            CWKListItem *entry = list.GetAt(words[1].toInt());
            if (entry->Kind == WK_POSITION) {
                entry->APos->Number = words[2];
            } else {
                entry->Head()->PaketID = words[2];
                entry->Paket->GetPosType4()->Campaign[CPosition::CampaignNumber] = words[2];
            }
            list.RecalcTotals();
        }
    }
    CWKListItem entry = Entry(offered);
    QTEST(basket.Offer(entry, &overwrite), "result");
    QTEST(Tags(list), "tags");
}

void TestBasketList::totals_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<int>("notices");
    // clang-format off
    QTest::newRow("package and labour position")            << "SRP:100/80/EUR/1;POS:11.9/10/EUR"                  << 111.9 << 90.0 << true  << "EUR" << 0;
    QTest::newRow("campaign package counts its campaign price") << "MKP2:50/42/EUR/1;MKP3:10/8/EUR/1"              << 60.0  << 50.0 << true  << "EUR" << 0;
    QTest::newRow("entry without currency never conflicts") << "SRP:100/80//1;POS:10/8/CHF"                        << 110.0 << 88.0 << true  << "CHF" << 0;
    QTest::newRow("two currencies: no sum, one notice")     << "SRP:100/80/EUR/1;POS:10/8/CHF"                     << -1.0  << -1.0 << true  << "EUR" << 1;
    QTest::newRow("three currencies: still one notice")     << "SRP:100/80/EUR/1;POS:10/8/CHF;POS:5/4/USD;VLP:1/1/GBP/1" << -1.0 << -1.0 << true << "EUR" << 1;
    QTest::newRow("package without head")                   << "SRP:100/80/EUR/1;NOHEAD"                           << -1.0  << -1.0 << false << "EUR" << 0;
    QTest::newRow("package with an unpriced line")          << "SRP:100/80/EUR/0;POS:10/8/EUR"                     << -1.0  << -1.0 << false << "EUR" << 0;
    QTest::newRow("package with its gross unset")           << "SRP:-1/80/EUR/1;POS:10/8/EUR"                      << -1.0  << -1.0 << false << "EUR" << 0;
    QTest::newRow("campaign package with its net unset")    << "MKP2:50/-1/EUR/1;POS:10/8/EUR"                     << -1.0  << -1.0 << false << "EUR" << 0;
    QTest::newRow("labour position charged by time")        << "POS:-2/-2/EUR;SRP:100/80/EUR/1"                    << -1.0  << -1.0 << false << "EUR" << 0;
    QTest::newRow("labour position without price")          << "POS:-3/10/EUR"                                     << -1.0  << -1.0 << false << ""    << 0;
    QTest::newRow("labour position with net only")          << "POS:-1/10/EUR;POS:5/4/EUR"                         << -1.0  << -1.0 << false << "EUR" << 0;
    QTest::newRow("labour position with gross only")        << "POS:10/-1/EUR;POS:5/4/EUR"                         << -1.0  << -1.0 << false << "EUR" << 0;
    QTest::newRow("findings add nothing")                   << "POS:10/8/EUR;BF:-1/-1/CHF"                         << 10.0  << 8.0  << true  << "EUR" << 0;
    // clang-format on
}

void TestBasketList::totals()
{
    QFETCH(QString, entries);
    CWKList list;
    for (const QString &spec : entries.split(QLatin1Char(';')))
        list.Add(Priced(spec), 1);
    NoticeLog notices;
    list.SetNotice(&notices);
    list.RecalcTotals();
    QTEST(list.GrossTotal(), "gross");
    QTEST(list.NetTotal(), "net");
    QTEST(list.IsTotalComplete(), "complete");
    QTEST(list.CommonCurrency(), "currency");
    // Once per calculation, however many currencies differ.
    QTEST(int(notices.texts.count()), "notices");
    for (const QString &text : notices.texts)
        QCOMPARE(text, OrmelText(5070));
}

void TestBasketList::totalsAfterChanges_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("step");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<int>("notices");
    // Steps: "remove N", "replace SPEC" (mode 2: the entry of the same kind
    // takes the new price), "append SPEC" (mode 1).
    // clang-format off
    QTest::newRow("removing the other currency sums again")       << "SRP:100/80/EUR/1;POS:10/8/CHF"              << "remove 1"                   << 100.0 << 80.0 << true  << "EUR" << 0;
    QTest::newRow("removing the first currency makes the next common") << "POS:10/8/CHF;SRP:100/80/EUR/1"        << "remove 0"                   << 100.0 << 80.0 << true  << "EUR" << 0;
    QTest::newRow("removing the entry without price completes")   << "SRP:100/80/EUR/1;NOHEAD;POS:10/8/EUR"       << "remove 1"                   << 110.0 << 88.0 << true  << "EUR" << 0;
    QTest::newRow("removing a priced entry subtracts it")         << "SRP:100/80/EUR/1;POS:10/8/EUR;VLP:1/1/EUR/1" << "remove 1"                  << 101.0 << 81.0 << true  << "EUR" << 0;
    QTest::newRow("removing from a mixed basket tells again")     << "SRP:100/80/EUR/1;POS:10/8/CHF;VLP:1/1/EUR/1" << "remove 2"                  << -1.0  << -1.0 << true  << "EUR" << 1;
    QTest::newRow("replacing a package takes its new price")      << "SRP:100/80/EUR/1;POS:10/8/EUR"              << "replace SRP:50/40/EUR/1"    << 60.0  << 48.0 << true  << "EUR" << 0;
    QTest::newRow("replacing the unpriced package completes")     << "SRP:100/80/EUR/0;POS:10/8/EUR"              << "replace SRP:100/80/EUR/1"   << 110.0 << 88.0 << true  << "EUR" << 0;
    QTest::newRow("replacing the other currency sums again")      << "POS:10/8/CHF;SRP:100/80/EUR/1"              << "replace POS:10/8/EUR"       << 110.0 << 88.0 << true  << "EUR" << 0;
    QTest::newRow("appending adds its price")                     << "SRP:100/80/EUR/1"                           << "append POS:10/8/EUR"        << 110.0 << 88.0 << true  << "EUR" << 0;
    QTest::newRow("appending to a mixed basket tells again")      << "SRP:100/80/EUR/1;POS:10/8/CHF"              << "append VLP:1/1/EUR/1"       << -1.0  << -1.0 << true  << "EUR" << 1;
    QTest::newRow("appending an entry without price")             << "SRP:100/80/EUR/1"                           << "append POS:-2/-2/EUR"       << -1.0  << -1.0 << false << "EUR" << 0;
    // clang-format on
}

void TestBasketList::totalsAfterChanges()
{
    QFETCH(QString, entries);
    QFETCH(QString, step);
    CWKList list;
    for (const QString &spec : entries.split(QLatin1Char(';')))
        list.Add(Priced(spec), 1);
    NoticeLog notices;
    list.SetNotice(&notices);
    const QString what = step.section(QLatin1Char(' '), 0, 0);
    const QString spec = step.section(QLatin1Char(' '), 1);
    if (what == QLatin1String("remove"))
        QVERIFY(list.Remove(list.GetAt(spec.toInt())));
    else
        QCOMPARE(list.Add(Priced(spec), what == QLatin1String("replace") ? 2 : 1),
                 int(WK_ADD_DONE));
    QTEST(list.GrossTotal(), "gross");
    QTEST(list.NetTotal(), "net");
    QTEST(list.IsTotalComplete(), "complete");
    QTEST(list.CommonCurrency(), "currency");
    QTEST(int(notices.texts.count()), "notices");
    // What the change left is what a calculation of the whole basket gives.
    const double gross = list.GrossTotal();
    list.SetNotice(nullptr);
    list.RecalcTotals();
    QCOMPARE(list.GrossTotal(), gross);
}

void TestBasketList::emptiedBasketShowsNoSum()
{
    CWKList list;
    list.Add(Priced(QStringLiteral("SRP:100/80/EUR/1")), 1);
    list.Add(Priced(QStringLiteral("POS:10/8/CHF")), 1);
    list.Add(Priced(QStringLiteral("NOHEAD")), 1);
    QVERIFY(list.HasMixedCurrencies());
    list.RemoveAll();
    QCOMPARE(list.GetCount(), 0);
    QCOMPARE(list.GrossTotal(), -1.0);
    QCOMPARE(list.NetTotal(), -1.0);
    QCOMPARE(list.IsTotalComplete(), true);
    QCOMPARE(list.HasMixedCurrencies(), false);
    QCOMPARE(list.CommonCurrency(), QString());

    // A new entry starts a new sum in its own currency.
    list.Add(Priced(QStringLiteral("POS:10/8/CHF")), 0);
    QCOMPARE(list.GrossTotal(), 10.0);
    QCOMPARE(list.CommonCurrency(), QStringLiteral("CHF"));
}

void TestBasketList::removeOnlyOwnEntries()
{
    CWKList list;
    list.Add(Priced(QStringLiteral("SRP:100/80/EUR/1")), 1);
    list.Add(Priced(QStringLiteral("POS:10/8/EUR")), 1);
    const CWKListItem lookalike(*list.GetAt(0));
    QVERIFY(!list.Remove(&lookalike));
    QVERIFY(!list.Remove(nullptr));
    QCOMPARE(list.GetCount(), 2);
    QCOMPARE(list.GrossTotal(), 110.0);
    QVERIFY(list.Remove(list.GetAt(0)));
    QCOMPARE(list.GetCount(), 1);
    QCOMPARE(list.GrossTotal(), 10.0);
}

void TestBasketList::move_data()
{
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<QString>("tags");
    // clang-format off
    QTest::newRow("second up")        << true  << 1  << true  << "b,a,c";
    QTest::newRow("last up")          << true  << 2  << true  << "a,c,b";
    QTest::newRow("first up")         << true  << 0  << false << "a,b,c";
    QTest::newRow("first down")       << false << 0  << true  << "b,a,c";
    QTest::newRow("last down")        << false << 2  << false << "a,b,c";
    QTest::newRow("beyond the end")   << true  << 3  << false << "a,b,c";
    QTest::newRow("no selection")     << false << -1 << false << "a,b,c";
    // clang-format on
}

void TestBasketList::move()
{
    QFETCH(bool, up);
    QFETCH(int, index);
    CWKList list;
    Fill(list, QStringLiteral("SRP:P1@a;POS:0012345@b;CCP:X1@c"));
    QTEST(up ? list.MoveUp(index) : list.MoveDown(index), "moved");
    QTEST(Tags(list), "tags");
}

void TestBasketList::equalEntries_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("equal");
    // clang-format off
    QTest::newRow("same head number")          << "SRP:P1@a"      << "SRP:P1@b"      << true;
    QTest::newRow("other kind")                << "SRP:P1@a"      << "SIP:P1@b"      << false;
    QTest::newRow("both without head")         << "SRP:-@a"       << "SRP:-@b"       << false;
    QTest::newRow("same position number")      << "POS:0012345@a" << "POS:0012345@b" << true;
    QTest::newRow("position number case")      << "POS:00123AB@a" << "POS:00123ab@b" << false;
    // clang-format on
}

void TestBasketList::equalEntries()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    const CWKListItem first = Entry(a);
    const CWKListItem second = Entry(b);
    QTEST(CWKListItem::IsEqualEntry(&first, &second), "equal");
    QCOMPARE(CWKListItem::IsEqualEntry(&first, nullptr), false);
}

void TestBasketList::editMarksOnlyTheHandedSpotRepairPackage()
{
    CWkBasket basket;
    CWKList &list = basket.Entries();
    Fill(list, QStringLiteral("CCP:X1*@a;CCP:X2@b;SRP:P1@c;BF:0012345@d"));
    QCOMPARE(list.PrepareEdit(list.GetAt(1)), WkEditAction::SpotRepairPage);
    QCOMPARE(CWKListItem::HasEditMark(list.GetAt(0)->Paket.get()), false);
    QCOMPARE(CWKListItem::HasEditMark(list.GetAt(1)->Paket.get()), true);
    // The edited package comes back and replaces the entry it came from.
    Answering overwrite(WkDuplicateAnswer::Overwrite);
    CWKListItem edited = Entry(QStringLiteral("CCP:X9*@n"));
    QCOMPARE(basket.Offer(edited, &overwrite), WkOffered::Replaced);
    QCOMPARE(Tags(list), QStringLiteral("a,n,c,d"));

    QCOMPARE(list.PrepareEdit(list.GetAt(2)), WkEditAction::PackagePage);
    QCOMPARE(CWKListItem::HasEditMark(list.GetAt(1)->Paket.get()), false);
    QCOMPARE(list.PrepareEdit(list.GetAt(3)), WkEditAction::None);
    QCOMPARE(list.PrepareEdit(nullptr), WkEditAction::None);
}

void TestBasketList::labourEdit_data()
{
    QTest::addColumn<QString>("oldAz");
    QTest::addColumn<QString>("oldValue");
    QTest::addColumn<int>("flat");
    QTest::addColumn<QString>("shownAz");
    QTest::addColumn<QString>("shownValue");
    QTest::addColumn<QString>("azField");
    QTest::addColumn<QString>("valueField");
    QTest::addColumn<QString>("az");
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    // clang-format off
    QTest::newRow("unit text and value")          << ""   << "2"   << 0 << ""    << "2"   << "h"   << "3"  << "h"  << "3"   << 35.7  << 30.0;
    QTest::newRow("value typed in place of AZ")   << "AZ" << ""    << 0 << "AZ"  << ""    << "1.5" << ""   << "-2" << "1.5" << 17.85 << 15.0;
    QTest::newRow("typed value shown and edited") << "-2" << "1.5" << 0 << "1.5" << ""    << "2"   << ""   << "-2" << "2"   << 23.8  << 20.0;
    QTest::newRow("typed value back to AZ")       << "-2" << "1.5" << 0 << "1.5" << ""    << "AZ"  << ""   << "AZ" << ""    << -2.0  << -2.0;
    QTest::newRow("AZ stays AZ")                  << "AZ" << ""    << 0 << "AZ"  << ""    << "AZ"  << ""   << "AZ" << ""    << -2.0  << -2.0;
    QTest::newRow("flat price ignores the value") << ""   << "4"   << 1 << ""    << "4"   << ""    << "4"  << ""   << "4"   << 11.9  << 10.0;
    // clang-format on
}

void TestBasketList::labourEdit()
{
    QFETCH(QString, oldAz);
    QFETCH(QString, oldValue);
    QFETCH(int, flat);
    QFETCH(QString, azField);
    QFETCH(QString, valueField);
    QFETCH(double, gross);
    CWKList list;
    CWKListItem offered = Entry(QStringLiteral("POS:0012345@a"));
    CPosition &pos = *offered.APos;
    pos.Az = oldAz;
    pos.Quantity = oldValue;
    pos.Preise1.UnitNet = 10.0;
    pos.Preise1.Vat = 19.0;
    pos.Preise1.FlatPrice = flat;
    pos.Preise1.Currency = QStringLiteral("EUR");
    list.Add(offered, 0);
    CWKListItem *stored = list.GetAt(0);

    CWkLabourEdit edit = CWkLabourEdit::FromPosition(*stored->APos);
    QTEST(edit.AzField, "shownAz");
    QTEST(edit.ValueField, "shownValue");
    edit.AzField = azField;
    edit.ValueField = valueField;
    edit.AwText2 = QStringLiteral("changed");
    QVERIFY(list.ApplyLabourEdit(stored, edit));
    QTEST(stored->APos->Az, "az");
    QTEST(stored->APos->Quantity, "value");
    QCOMPARE(stored->APos->AwText2, QStringLiteral("changed"));
    QTEST(stored->APos->Preise1.Gross, "gross");
    QTEST(stored->APos->Preise1.Net, "net");
    // The totals follow the edit at once.
    QCOMPARE(list.GrossTotal(), gross < 0 ? -1.0 : gross);

    // Only the list's own labour positions are edited.
    QVERIFY(!list.ApplyLabourEdit(&offered, edit));
}

void TestBasketList::labourEditPrice_data()
{
    // Row: flat price, the value ("AZ": charged by time), unit gross, unit
    // net, VAT rate, no-price marker -> gross, net after the edit.
    QTest::addColumn<int>("flat");
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("unitGross");
    QTest::addColumn<double>("unitNet");
    QTest::addColumn<double>("vat");
    QTest::addColumn<int>("noPrice");
    QTest::addColumn<double>("gross");
    QTest::addColumn<double>("net");
    // clang-format off
    QTest::newRow("both unit prices: the net stays the dealer's") << 0 << "1"  << 12.0 << 10.0 << 19.0 << 0 << 12.0  << 10.0;
    QTest::newRow("both unit prices times the value")              << 0 << "2"  << 12.0 << 10.0 << 19.0 << 0 << 24.0  << 20.0;
    QTest::newRow("both flat prices as they are")                  << 1 << "4"  << 12.0 << 10.0 << 19.0 << 0 << 12.0  << 10.0;
    QTest::newRow("net only gives the gross")                      << 0 << "2"  << -1.0 << 10.0 << 19.0 << 0 << 23.8  << 20.0;
    QTest::newRow("gross only gives the net")                      << 0 << "1"  << 11.9 << -1.0 << 19.0 << 0 << 11.9  << 10.0;
    QTest::newRow("flat net only")                                 << 1 << "4"  << -1.0 << 10.0 << 19.0 << 0 << 11.9  << 10.0;
    QTest::newRow("net at 0 % VAT")                                << 0 << "1"  << -1.0 << 10.0 << 0.0  << 0 << 10.0  << 10.0;
    QTest::newRow("without VAT rate only the given one")           << 0 << "1"  << -1.0 << 10.0 << -1.0 << 0 << -1.0  << 10.0;
    QTest::newRow("charged by time, both unit prices")             << 0 << "AZ" << 12.0 << 10.0 << 19.0 << 0 << -2.0  << -2.0;
    QTest::newRow("charged by time, net only")                     << 0 << "AZ" << -1.0 << 10.0 << 19.0 << 0 << -2.0  << -2.0;
    QTest::newRow("charged by time, gross only")                   << 0 << "AZ" << 12.0 << -1.0 << 19.0 << 0 << -2.0  << -2.0;
    QTest::newRow("without VAT rate the gross stays alone")        << 0 << "1"  << 11.9 << -1.0 << -1.0 << 0 << 11.9  << -1.0;
    QTest::newRow("value that is no number")                       << 0 << "x"  << 12.0 << 10.0 << 19.0 << 0 << 0.0   << 0.0;
    QTest::newRow("no unit price, no-price marker")                << 0 << "1"  << -1.0 << -1.0 << 19.0 << 1 << -3.0  << -3.0;
    QTest::newRow("no-price marker fills only the missing one")    << 0 << "1"  << -1.0 << 10.0 << -1.0 << 1 << -3.0  << 10.0;
    QTest::newRow("rounded to the cent")                           << 0 << "3"  << -1.0 << 3.333 << 19.0 << 0 << 11.9 << 10.0;
    // clang-format on
}

void TestBasketList::labourEditPrice()
{
    QFETCH(int, flat);
    QFETCH(QString, value);
    QFETCH(double, unitGross);
    QFETCH(double, unitNet);
    QFETCH(double, vat);
    QFETCH(int, noPrice);
    CWKList list;
    CWKListItem offered = Entry(QStringLiteral("POS:0012345@a"));
    CPriceSet &set = offered.APos->Preise1;
    set.UnitGross = unitGross;
    set.UnitNet = unitNet;
    set.Vat = vat;
    set.FlatPrice = flat;
    set.NoPrice = noPrice;
    set.Currency = QStringLiteral("EUR");
    list.Add(offered, 0);
    CWKListItem *stored = list.GetAt(0);

    CWkLabourEdit edit = CWkLabourEdit::FromPosition(*stored->APos);
    const bool byTime = value == CPosition::AzMarker();
    edit.AzField = byTime ? value : QStringLiteral("AW");
    edit.ValueField = byTime ? QString() : value;
    QVERIFY(list.ApplyLabourEdit(stored, edit));
    QTEST(stored->APos->Preise1.Gross, "gross");
    QTEST(stored->APos->Preise1.Net, "net");
}

void TestBasketList::basketListTypes()
{
    int type = 99;
    CWKList::KindToBasketType(type, WK_CAMPAIGN);
    QCOMPARE(type, 3);
    CWKList::KindToBasketType(type, WK_POSITION);
    QCOMPARE(type, 2);
    CWKList::KindToBasketType(type, 9);
    QCOMPARE(type, 2);
    CPosition pos;
    const std::initializer_list<std::pair<int, int>> types = {
        {14, 6}, {15, 7}, {16, 8}, {17, 9}, {21, 9}};
    for (const auto &[posType, itemType] : types) {
        pos.Type = posType;
        CWKList::PositionTypeToItemType(type, pos);
        QCOMPARE(type, itemType);
    }
}

void TestBasketList::storedNotice_data()
{
    // Row: the adviser's "tell me" setting, what the basket held, the entry
    // offered (asked as a duplicate: kept) -> how often "stored" was told.
    QTest::addColumn<int>("tell");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("told");
    // clang-format off
    QTest::newRow("stored: told")                  << 1 << ""         << 1;
    QTest::newRow("stored, told no more: silent")  << 0 << ""         << 0;
    QTest::newRow("duplicate kept: nothing told")  << 1 << "SRP:P1@a" << 0;
    // clang-format on
}

void TestBasketList::storedNotice()
{
    QFETCH(int, tell);
    QFETCH(QString, before);
    StoredCounter ask;
    CPrgSettings settings;
    settings.bMeldungWK = tell;
    CWkBasket basket(&settings);
    Fill(basket.Entries(), before);
    basket.SetAsk(&ask);
    CWKListItem entry = Entry(QStringLiteral("SRP:P1@n"));
    Answering keep(WkDuplicateAnswer::Keep);
    basket.Offer(entry, &keep);
    QTEST(ask.stored, "told");
}

void TestBasketList::directTransfer_data()
{
    // Whether the package page stored its package, what the basket held
    // before, whether the DMS took the order; then the transfers, the order
    // number kept, the entries left.
    QTest::addColumn<bool>("stores");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<int>("transfers");
    QTest::addColumn<bool>("orderKept");
    QTest::addColumn<int>("left");
    // clang-format off
    QTest::newRow("stored and sent: order and entries go") << true  << ""      << true  << 1 << false << 0;
    QTest::newRow("stored, not sent: everything stays")    << true  << ""      << false << 1 << true  << 1;
    QTest::newRow("sent, a finding stays: order goes")     << true  << "BF:B1" << true  << 1 << false << 1;
    QTest::newRow("not stored: no transfer")               << false << ""      << true  << 0 << true  << 0;
    // clang-format on
}

void TestBasketList::directTransfer()
{
    QFETCH(bool, stores);
    QFETCH(QString, before);
    QFETCH(bool, sent);
    StoredCounter ask;
    CPrgSettings settings;
    settings.bMeldungWK = 1;
    CWkBasket basket(&settings);
    basket.SetAsk(&ask);
    if (!before.isEmpty()) {
        CWKListItem kept = Entry(before);
        basket.Offer(kept, nullptr);
    }
    CWkOrderData order;
    order.strAuftragsNr = QStringLiteral("A-1");
    basket.SetOrder(order);
    int transfers = 0;
    basket.SetTransferHandler([&] {
        ++transfers;
        if (!sent)
            return;
        // The road carries the packages, not the finding.
        for (int i = basket.Entries().GetCount() - 1; i >= 0; --i) {
            if (basket.Entries().GetAt(i)->Kind != WK_POSITION)
                basket.Entries().Remove(basket.Entries().GetAt(i));
        }
        basket.Entries().MarkOrderSent();
    });
    const int noticesBefore = ask.stored;
    QSignalSpy changes(&basket, &CWkBasket::entriesChanged);

    basket.TransferDirectly([&] {
        CWKListItem package = Entry(QStringLiteral("SRP:P1"));
        return stores && basket.Offer(package, nullptr) == WkOffered::Added;
    });

    QTEST(transfers, "transfers");
    QCOMPARE(ask.stored, noticesBefore); // a direct transfer tells nothing
    QTEST(!basket.Order().strAuftragsNr.isEmpty(), "orderKept");
    QTEST(basket.GetEntryCount(), "left");
    QCOMPARE(changes.isEmpty(), !stores);
    // Nor does the next entry stored, for the rest of the run.
    CWKListItem next = Entry(QStringLiteral("SRP:P2"));
    QCOMPARE(basket.Offer(next, nullptr), WkOffered::Added);
    QCOMPARE(ask.stored, noticesBefore);
}

YAQ_TEST_GUILESS_MAIN(TestBasketList)
#include "tst_basketlist.moc"
