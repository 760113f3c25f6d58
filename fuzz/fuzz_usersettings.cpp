// A user profile ("yaq2.ini", "YAQStartup.ini") made of the input bytes, one
// value of the program changed in it. Whatever the file holds: every other
// key reads as before, no key is added but the changed one, and the changed
// one reads back as written wherever a line added at the file's end is read
// at all (a file ending inside an open quote swallows what follows it).
// Links: yaq_platform

#include "FuzzSupport.h"
#include "platform/Profile.h"

#include <QFile>
#include <QGuiApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void CheckAt(bool condition, const char *what, int line)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz_usersettings.cpp:%d: check failed: %s\n", line, what);
    std::abort();
}
#define Check(condition) CheckAt((condition), #condition, __LINE__)

// A value in one of the INI file's own forms: nothing read from a stream
// of bytes, which could be of any type.
bool OwnForm(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::QByteArray:
    case QMetaType::QRect:
    case QMetaType::QSize:
    case QMetaType::QPoint:
        return true;
    case QMetaType::QVariantList:
        for (const QVariant &element : value.toList()) {
            if (!OwnForm(element))
                return false;
        }
        return true;
    default:
        return false;
    }
}

// The values as QSettings reads the bytes, handed to it as the profile
// does (without the values it would read from a stream of bytes). Each read
// goes to a file of its own: QSettings keeps a file it read while its size
// and time stay the same.
QMap<QString, QVariant> Read(const QByteArray &bytes)
{
    static QTemporaryDir dir;
    static int count = 0;
    const QString path = dir.filePath(QStringLiteral("read%1.ini").arg(++count));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(ProfileIniForStore(bytes));
    }
    QMap<QString, QVariant> values;
    {
        const QSettings settings(path, QSettings::IniFormat);
        // A key under "[]" is listed as "/key" but read as "key", and one
        // with a doubled or trailing slash ("IP//") as the key without
        // them: none that can be read under the name listed.
        for (const QString &key : settings.allKeys()) {
            if (!key.startsWith(QLatin1Char('/')) && !key.endsWith(QLatin1Char('/')) &&
                !key.contains(QLatin1String("//")))
                values.insert(key, settings.value(key));
            Check(OwnForm(settings.value(key)));
        }
    }
    QFile::remove(path);
    return values;
}

bool Same(const QVariant &a, const QVariant &b)
{
    // A number that is no number equals nothing, not even itself.
    return a == b || (a.metaType() == b.metaType() && a.toString() == b.toString());
}

} // namespace

// The program reads its profile with its application object running, and
// QSettings builds some of the values it stores (a cursor, a pixmap) only
// with one: the reads here have one too.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char name[] = "fuzz_usersettings";
    static char *qtArgv[] = {name, nullptr};
    new QGuiApplication(qtArgc, qtArgv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QuietQtMessages();
    if (size == 0)
        return 0;
    static const char *const kKeys[] = {"YAQ/Sound", "IP", "SRP/User", "General/Zoom"};
    static const char *const kValues[] = {
        "1", " a;b=c ", "\"q\"\\", "@x", "Gr\303\274\303\237e\n\t", ""};
    const QString key = QString::fromLatin1(kKeys[data[0] % 4]);
    const QVariant value = QString::fromUtf8(kValues[data[0] / 4 % 6]);
    const QByteArray file(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const QMap<QString, QVariant> before = Read(file);
    const QMap<QString, QVariant> after = Read(ProfileIniPatched(file, {{key, value}}));
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() != key)
            Check(after.contains(it.key()) && Same(after.value(it.key()), it.value()));
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        Check(it.key() == key || before.contains(it.key()));
    const bool endTakesALine =
        Read(file + "\n[Zq]\nZzz=1\n").value(QStringLiteral("Zq/Zzz")) == QStringLiteral("1");
    if (before.contains(key) || endTakesALine)
        Check(after.value(key) == value);
    return 0;
}
