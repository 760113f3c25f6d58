// The model-name mapping file beside the program: loaded from a file as
// the head row does, then every code of its first lines must be found with
// a name that leads back to it.
// Links: yaq_ccd app/ModelMapping.cpp

#include "FuzzSupport.h"
#include "app/ModelMapping.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {
QTemporaryDir *folder = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    QuietQtMessages();
    folder = new QTemporaryDir;
    return folder->isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QFile file(folder->filePath(QStringLiteral("ModelMapping00.txt")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        abort();
    file.write(bytes);
    file.close();

    CModelMapping mapping;
    mapping.SetFolder(folder->path() + QLatin1Char('/'));
    mapping.Load(QStringLiteral("00"));

    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QStringList lines =
        QString::fromUtf8(bytes).remove(QLatin1Char('\r')).split(QLatin1Char('\n'));
    for (const QString &line : lines.mid(0, 64)) {
        const QString code = line.left(4);
        if (code.isEmpty() || line.size() <= 4)
            continue;
        QString name;
        QStringList codes;
        if (!mapping.HasCode(code) || !mapping.GetModelName(name, code) || name.isEmpty() ||
            !mapping.GetCodesForModel(codes, name) || !codes.contains(code))
            abort();
    }
    return 0;
}
