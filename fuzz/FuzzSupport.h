// What the fuzz harnesses share.
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// The parsers warn about bad input, which is all a harness gives them: the
// harness runs silent.
inline void QuietQtMessages()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

// An input whose first byte chooses the interface options and whose rest is
// the message as UTF-8.
struct OptionsAndText
{
    uint8_t options = 0;
    QString text;
};

inline OptionsAndText SplitOptions(const uint8_t *data, size_t size)
{
    if (!size)
        return {};
    return {data[0],
            QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1))};
}
