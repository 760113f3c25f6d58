// What the fuzz harnesses share.
#pragma once

#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

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

// The longest input of the XML harnesses: as long as the longest text the
// limited XML reader takes, and a little more, so that a message can hold a
// document type declaration whose entity it references many thousand times
// (and the length bound itself is reached).
constexpr size_t kXmlInputBytes = 1024 * 1024 + 64;

// Lets the fuzzer make inputs of up to that many bytes, unless the command
// line says "-max_len=" itself. Without it libFuzzer stays below the largest
// seed (at least 4096 bytes); it reads its options from the command line
// only after LLVMFuzzerInitialize, so the option is added here.
inline void AllowInputsUpTo(int *argc, char ***argv, size_t bytes)
{
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0)
            return;
    }
    static std::string option;
    static std::vector<char *> args;
    option = "-max_len=" + std::to_string(bytes);
    args.assign(*argv, *argv + *argc);
    args.push_back(option.data());
    args.push_back(nullptr);
    *argc = int(args.size()) - 1;
    *argv = args.data();
}

// The start of every harness of XML from outside: Qt says nothing, and
// inputs may be as large as a document the program accepts.
inline int StartXmlFuzzer(int *argc, char ***argv)
{
    QuietQtMessages();
    AllowInputsUpTo(argc, argv, kXmlInputBytes);
    return 0;
}
