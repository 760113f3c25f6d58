// Another program on the X display, for the clipboard tests:
//   clipclient get FORMAT   writes the clipboard's bytes in the format to
//                           standard output; exit code 1 when the clipboard
//                           does not offer the format;
//   clipclient set TEXT     takes the clipboard with the text and ends.

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (args.size() == 3 && args.at(1) == QLatin1String("get")) {
        const QMimeData *mime = clipboard->mimeData();
        if (!mime || !mime->hasFormat(args.at(2)))
            return 1;
        const QByteArray bytes = mime->data(args.at(2));
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        return 0;
    }
    if (args.size() == 3 && args.at(1) == QLatin1String("set")) {
        clipboard->setText(args.at(2));
        return clipboard->ownsClipboard() ? 0 : 1;
    }
    return 2;
}
