// The application server's session answer as the main window reads it
// before every page switch (the body of the "check" exchange, taken as
// UTF-8).
// Links: yaq_platform app/MainWndRules.cpp

#include "FuzzSupport.h"
#include "app/MainWndRules.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    return StartXmlFuzzer(argc, argv);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString answer = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const int state = ParseSessionAnswer(answer);
    if (state != kSessionRejected && state != kSessionUnknown && state != kSessionValid &&
        state != kSessionRestricted)
        abort();
    return 0;
}
