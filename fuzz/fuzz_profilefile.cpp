// A profile file ("Version.ini", "YAQTrader.ini") made of the input bytes.
// Whatever it holds: a file that is written back unchanged reads the same,
// and a text of the input written as a value reads back exactly, without
// moving, adding or dropping any other key or section.
// Links: yaq_platform

#include "platform/PrivateProfile.h"

#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Names the failed property, so that a finding says what broke.
void CheckAt(bool condition, const char *what, int line)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz_profilefile.cpp:%d: check failed: %s\n", line, what);
    std::abort();
}
#define Check(condition) CheckAt((condition), #condition, __LINE__)

QString FilePath()
{
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("YAQTrader.ini"));
    return path;
}

int CountSections(const QString &content)
{
    int sections = 0;
    for (const QString &line : content.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        sections += t.startsWith(QLatin1Char('[')) && t.contains(QLatin1Char(']')) ? 1 : 0;
    }
    return sections;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString path = FilePath();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(bytes);
    }
    CPrivateProfile profile;
    Check(profile.Load(path));
    CPrivateProfile::DecodeText(bytes);
    const QString before = profile.Content();
    const QString section = QStringLiteral("GLOBALSETUP");
    const QString key = QStringLiteral("Firma");
    const QString other = profile.GetString(QStringLiteral("VERSIONSINFO"), QStringLiteral("EZ"));

    // Unchanged, an 8-bit file is written back as it was read.
    Check(profile.Save(path));
    CPrivateProfile same;
    Check(same.Load(path));
    if (!bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF"))
        Check(same.Content() == before);

    const QString value = QString::fromUtf8(bytes);
    const bool hadSection = profile.HasSection(section);
    profile.SetString(section, key, value);
    Check(profile.Save(path));
    CPrivateProfile back;
    Check(back.Load(path));
    Check(back.GetString(section, key) == value);
    Check(back.GetString(QStringLiteral("VERSIONSINFO"), QStringLiteral("EZ")) == other);
    Check(CountSections(back.Content()) == CountSections(before) + (hadSection ? 0 : 1));
    return 0;
}
