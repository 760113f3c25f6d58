// An answer of the dealer platform's agent service or of its broker, as the
// start reads it: whatever comes, a refused answer gives nothing, and the
// dealer's brands are lower-case, each once, one at most per contract.
// Links: yaq_platform app/AgentMessage.cpp

#include "FuzzSupport.h"
#include "app/AgentMessage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return StartXmlFuzzer(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte chooses the agent (bit 0 clear) or the broker, the rest
    // is the answer.
    const OptionsAndText input = SplitOptions(data, size);
    const bool broker = input.options & 1;

    CAgentAnswer answer;
    const bool loaded = answer.Load(input.text);
    const QList<CDealerContract> contracts = answer.Contracts(broker);
    const QString ip = answer.Text(QStringLiteral("ip"));
    const QString password = answer.Text(QStringLiteral("getBrellDBUserPwReturn"), true);
    const int port = answer.Number(QStringLiteral("port"));
    if (!loaded && (!contracts.isEmpty() || !ip.isEmpty() || !password.isEmpty() || port != 0 ||
                    answer.HasDealerData(broker)))
        abort(); // a refused answer gives nothing
    if (!answer.HasDealerData(broker) && !contracts.isEmpty())
        abort(); // contracts only within the dealer data

    const QStringList brands = VehicleBrands(contracts, broker);
    if (brands.size() > contracts.size())
        abort();
    for (const QString &brand : brands) {
        if (brand.isEmpty() || brand != brand.toLower() || brands.count(brand) != 1)
            abort();
    }
    return 0;
}
