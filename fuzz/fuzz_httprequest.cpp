// The HTTP request reader of the DMS listener and the stand-in DMS: the
// bytes of one connection, read whole and in pieces of every size, must
// give the same requests and the same end; no body exceeds the limit, and a
// refusal carries one of the statuses the listener answers with.
// Links: yaq_platform

#include "FuzzSupport.h"
#include "platform/HttpRequestParser.h"

#include <QList>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr qsizetype kMaxBody = 64;

struct Outcome
{
    QList<QByteArray> bodies;
    HttpRequestParser::State state = HttpRequestParser::State::Incomplete;
    int status = 0;

    bool operator==(const Outcome &o) const
    {
        return bodies == o.bodies && state == o.state && status == o.status;
    }
};

// Feeds the bytes in pieces of that size (0: whole), taking every request
// as it completes.
Outcome Read(QByteArrayView bytes, qsizetype piece)
{
    Outcome out;
    HttpRequestParser parser(kMaxBody);
    qsizetype pos = 0;
    do {
        const qsizetype size = piece == 0 ? bytes.size() : qMin(piece, bytes.size() - pos);
        parser.feed(bytes.sliced(pos, size));
        pos += size;
        while (parser.state() == HttpRequestParser::State::Complete) {
            const HttpRequest request = parser.takeRequest();
            if (request.body.size() > kMaxBody || request.method.isEmpty() ||
                request.target.isEmpty())
                abort();
            // Decoding the body by its declared charset must hold as well.
            (void)HttpBodyText(request.header("Content-Type"), request.body);
            (void)request.keepAlive();
            out.bodies << request.body;
        }
    } while (pos < bytes.size() && parser.state() != HttpRequestParser::State::Failed);
    out.state = parser.state();
    out.status = parser.errorStatus();
    if (out.state == HttpRequestParser::State::Failed) {
        switch (out.status) {
        case 400:
        case 413:
        case 431:
        case 501:
        case 505:
            break;
        default:
            abort();
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QuietQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the size of the pieces.
    const qsizetype piece = 1 + data[0] % 16;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (!(Read(bytes, 0) == Read(bytes, piece)))
        abort();
    return 0;
}
