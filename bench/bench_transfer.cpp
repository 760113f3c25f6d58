// Writing the body of "transferYAQPositions" for baskets of 50, 200 and
// 1,000 entries (three in four priced packages of a head, two work
// positions and three parts, the others single labour positions), beside
// writing the same number of elements and attributes with a bare
// QXmlStreamWriter. The ratio transfer / bare writer is printed at the end
// for each size (goal: at most 3).

#include "basket/model/WKList.h"
#include "basket/transfer/TransferRequest.h"
#include "packages/model/Paket.h"
#include "settings/DmsHeader.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<int> kEntries = {50, 200, 1000};

CPrgSettings Settings()
{
    CPrgSettings s;
    s.SRPInterfaceSend = 4;
    s.XMLx = 1;
    s.V115 = 1;
    s.V117 = 1;
    s.FgstnrFull = QStringLiteral("XVQ1F23A57M012345");
    s.TypSchl = QStringLiteral("7A01");
    s.SendXMLTerminalID = QStringLiteral("T1");
    UpdateDmsHeader(&s);
    return s;
}

void Price(CPriceSet &set, double net)
{
    set.Net = net;
    set.Gross = net * 1.19;
    set.Vat = 19.0;
    set.Currency = QStringLiteral("EUR");
    set.Complete = 1;
}

CPosition *Line(CPaket &paket, int type, const QString &number, const QString &kind)
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = number;
    line->Kind = kind;
    line->Quantity = QStringLiteral("1");
    line->AwText1 = QStringLiteral("Arbeit an Baugruppe ") + number;
    Price(line->Preise1, 42.5);
    Price(line->Preise2, 45.0);
    return paket.AddPosition(std::move(line));
}

void FillBasket(CWKList &basket, int entries)
{
    for (int i = 0; i < entries * 3 / 4; ++i) {
        auto paket = std::make_unique<CPaket>();
        const QString n = QStringLiteral("%1").arg(1000000 + i * 10);
        CPosition *head = Line(*paket, POS_HEAD_CAMPAIGN, n, QString());
        head->PriceCalcFlag = i % 2;
        head->Preise1.TotalsComplete = 1;
        head->Preise1.PackageNet = 300.0;
        head->Preise1.PackageGross = 357.0;
        Line(*paket, POS_WORK, n, QStringLiteral("S"));
        Line(*paket, POS_WORK, n + QStringLiteral("1"), QStringLiteral("S"));
        for (int p = 0; p < 3; ++p)
            Line(*paket, POS_PART, QStringLiteral("9X%1%2").arg(i).arg(p), QStringLiteral("S"))
                ->TeileText = QStringLiteral("Teil & Zubehör");
        basket.Add(CWKListItem(WK_SRP, std::move(paket)), 1);
    }
    for (int i = 0; i < entries - entries * 3 / 4; ++i) {
        auto pos = std::make_unique<CPosition>();
        pos->Type = POS_BASKET_LABOUR;
        pos->Number = QStringLiteral("%1").arg(2000000 + i);
        pos->Quantity = QStringLiteral("2");
        Price(pos->Preise1, 80.0);
        basket.Add(CWKListItem(std::move(pos)), 1);
    }
}

struct Fixture
{
    CPrgSettings settings = Settings();
    CWKList basket;
    QString version = DmsHeaderVersion(settings);
    int elements = 0;
    int attributes = 0;
    explicit Fixture(int entries)
    {
        FillBasket(basket, entries);
        QXmlStreamReader reader(
            CTransferRequest(settings, CTransferOrder()).Build(basket, version));
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement) {
                ++elements;
                attributes += int(reader.attributes().size());
            }
        }
    }
};

// The basket of that many entries, filled once.
Fixture &Data(int entries)
{
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    std::unique_ptr<Fixture> &fixture = fixtures[entries];
    if (!fixture)
        fixture = std::make_unique<Fixture>(entries);
    return *fixture;
}

void BM_TransferRequest(benchmark::State &state)
{
    Fixture &f = Data(int(state.range(0)));
    CTransferOrder order;
    order.orderNumber = QStringLiteral("4711");
    for (auto _ : state) {
        const QString body = CTransferRequest(f.settings, order).Build(f.basket, f.version);
        benchmark::DoNotOptimize(body.size());
    }
    state.counters["elements"] = f.elements;
}

// The same number of elements and attributes, texts of similar length,
// nothing looked up.
void BM_BareWriter(benchmark::State &state)
{
    Fixture &f = Data(int(state.range(0)));
    const QString name = QStringLiteral("netPrice");
    const QString text = QStringLiteral("Arbeit an 1000010");
    const QString attr = QStringLiteral("currency");
    const QString value = QStringLiteral("EUR");
    for (auto _ : state) {
        QString out;
        QXmlStreamWriter xml(&out);
        xml.writeStartElement(QStringLiteral("transferYAQPositions"));
        int attributes = f.attributes;
        for (int i = 1; i < f.elements; ++i) {
            xml.writeStartElement(name);
            if (attributes-- > 0)
                xml.writeAttribute(attr, value);
            xml.writeCharacters(text);
            xml.writeEndElement();
        }
        xml.writeEndElement();
        benchmark::DoNotOptimize(out.size());
    }
    state.counters["elements"] = f.elements;
}

} // namespace

int main(int argc, char **argv)
{
    for (const int entries : kEntries) {
        for (const auto &[name, run] : {std::make_pair("BM_TransferRequest", BM_TransferRequest),
                                        std::make_pair("BM_BareWriter", BM_BareWriter)})
            benchmark::RegisterBenchmark(name, run)
                ->Arg(entries)
                ->Unit(benchmark::kMicrosecond)
                ->ComputeStatistics("min", Fastest);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(
        "transferYAQPositions / bare writer of as many elements",
        AtSizes({"BM_TransferRequest", "BM_BareWriter", 3.0, "transfer body"}, kEntries, "entries"),
        benchmark::kMicrosecond);
    benchmark::Shutdown();
    return 0;
}
