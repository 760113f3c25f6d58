// The SOAP client's reading of the DMS server's answer: the HTTP answer read
// whole and in pieces (status, length, chunks, an answer ending with the
// connection) must come out the same, its body never beyond the bound, and
// what the client then makes of it (the text, or a SOAP Fault with status
// 500, or the reason why there is none) is one or the other, never both.
// Links: yaq_platform

#include "FuzzSupport.h"
#include "platform/HttpResponseParser.h"
#include "platform/SoapReq.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr qsizetype kMaxBody = 4096;

struct Outcome
{
    HttpResponseParser::State state = HttpResponseParser::State::Incomplete;
    HttpResponseParser::Error error = HttpResponseParser::Error::None;
    int status = 0;
    QByteArray body;

    bool operator==(const Outcome &o) const
    {
        return state == o.state && error == o.error && status == o.status && body == o.body;
    }
};

// Feeds the bytes in pieces of that size (0: whole); the server closes the
// connection after them when told to.
Outcome Read(QByteArrayView bytes, qsizetype piece, bool close)
{
    HttpResponseParser answer(kMaxBody);
    qsizetype pos = 0;
    do {
        const qsizetype size = piece == 0 ? bytes.size() : qMin(piece, bytes.size() - pos);
        answer.feed(bytes.sliced(pos, size));
        pos += size;
    } while (pos < bytes.size() && answer.state() == HttpResponseParser::State::Incomplete);
    if (close)
        answer.close();

    const Outcome out{answer.state(), answer.error(), answer.status(), answer.body()};
    if (out.body.size() > kMaxBody || answer.started() != !bytes.isEmpty())
        abort();
    if ((out.state == HttpResponseParser::State::Failed) ==
        (out.error == HttpResponseParser::Error::None))
        abort();
    if (out.state == HttpResponseParser::State::Complete) {
        if (out.status < 200 || out.status > 599)
            abort(); // interim answers are read past
        QString error;
        const QString text = CSoapReq::AnswerText(answer, QStringLiteral("dms.test:80"), &error);
        if (text.isEmpty() == error.isEmpty())
            abort();
        if (!text.isEmpty() && !(out.status >= 200 && out.status <= 299) && out.status != 500)
            abort();
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    QuietQtMessages();
    AllowInputsUpTo(argc, argv, 4 * kMaxBody);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses the size of the pieces and whether the server
    // closes the connection after the bytes.
    const qsizetype piece = 1 + data[0] % 16;
    const bool close = (data[0] & 0x80) != 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    if (!(Read(bytes, 0, close) == Read(bytes, piece, close)))
        abort();
    return 0;
}
