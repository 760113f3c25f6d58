// The session file named on the command line ("*.YAQ2CFG"): read from a
// file as the program does, every line trimmed and joined, then the XML.
// Links: yaq_settings

#include "FuzzSupport.h"
#include "settings/CmdLine.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {
QTemporaryDir *folder = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    QuietQtMessages();
    AllowInputsUpTo(argc, argv, kXmlInputBytes);
    folder = new QTemporaryDir;
    return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = folder->filePath(QStringLiteral("session.YAQ2CFG"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort();
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    COssParameters values;
    const bool ok = ReadOssParametersFile(path, &values);
    // Values are only found in a file that was read.
    if (!ok && (values.hasSessionId || values.hasApplicationServer || values.hasLanguage))
        abort();
    if (values.hasApplicationServerAddress && !values.hasApplicationServer)
        abort();
    return 0;
}
