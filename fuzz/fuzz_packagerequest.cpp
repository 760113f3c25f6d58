// The package request of the transfer system made of the input: the VIN
// before the first NUL byte, the "-a" value after it. Without a catalogue
// no number is found, so every number must come back as an empty basket in
// its place, or the whole answer is an error code.
// Links: yaq_basketrequest

#include "basket/request/PaketAnfrage.h"
#include "settings/PrgSettings.h"

#include <QXmlStreamReader>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype split = bytes.indexOf('\0');
    CPrgSettings settings;
    const QString vin = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString numbers = split < 0 ? QString() : QString::fromUtf8(bytes.mid(split + 1));

    CPaketAnfrage request(&settings, vin, nullptr, nullptr, {}, numbers);
    const QString answer = request.BuildAnswer();
    if (answer.startsWith(QLatin1String("ERROR"))) {
        Check(request.ResultCode() != CPaketAnfrage::kDone);
        return 0;
    }
    Check(request.ResultCode() == CPaketAnfrage::kDone);
    int baskets = 0;
    QXmlStreamReader xml(answer);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("Basket"))
            ++baskets;
    }
    Check(!xml.hasError());
    Check(baskets == request.Numbers().size());
    return 0;
}
