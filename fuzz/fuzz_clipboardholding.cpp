// The clipboard holder's input, as the holder reads it on standard input:
// whatever comes, a holding is taken only when it is whole, and what was
// taken is written back to the very same bytes.
// Links: yaq_platform

#include "platform/ClipboardHolder.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    CClipboardHolding holding;
    if (!DecodeClipboardHolding(bytes, &holding))
        return 0;
    if (EncodeClipboardHolding(holding) != bytes)
        abort(); // nothing left over, nothing read twice
    return 0;
}
