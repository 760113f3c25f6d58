// A program text table made of the input bytes, loaded as the German table
// and as the English one. Every id has the same text in both languages, and
// filling the placeholders of a text never touches text that came with an
// argument.
// Links: yaq_platform

#include "platform/OrmelText.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

QString Folder()
{
    static QTemporaryDir dir;
    return dir.path();
}

bool WriteTable(const QString &name, const QByteArray &bytes)
{
    QFile file(Folder() + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (!WriteTable(QStringLiteral("PrgTxt00.txt"), bytes) ||
        !WriteTable(QStringLiteral("PrgTxt01.txt"), bytes))
        return 0;
    InitOrmelText(Folder());

    // The ids the input names, at most 64.
    QList<int> ids{0, -1, 7092};
    for (const QByteArray &line : bytes.split('\n')) {
        bool ok = false;
        const int id = QString::fromUtf8(line.left(line.indexOf('\t'))).trimmed().toInt(&ok);
        if (ok)
            ids.append(id);
        if (ids.size() >= 64)
            break;
    }
    for (const int id : std::as_const(ids)) {
        SetPrgSprache(QStringLiteral("00"));
        const QString german = OrmelText(id);
        SetPrgSprache(QStringLiteral("01"));
        Check(GetPrgTextSprache() == QLatin1String("01"));
        Check(OrmelText(id) == german);
        const QString filled = OrmelTextArgs(id, {QStringLiteral("%s"), QStringLiteral("%s")});
        Check(filled.count(QLatin1String("%s")) == german.count(QLatin1String("%s")));
    }
    SetPrgSprache(QStringLiteral("00"));
    return 0;
}
