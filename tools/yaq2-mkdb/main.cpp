// yaq2-mkdb: builds an SQLite catalogue file (--help says how).

#include "yaq2-mkdb/CatalogueBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

const char kUsage[] =
    "usage: yaq2-mkdb --schema <schema.sql> --out <file> <data.sql>...\n"
    "       yaq2-mkdb --schema <schema.sql> --out <file> --synthetic [size options]\n"
    "\n"
    "Builds a catalogue file from the schema and SQL data scripts (the demo\n"
    "catalogue), or a synthetic catalogue of realistic size. Size options of the\n"
    "synthetic catalogue (default in brackets):\n"
    "  --vin-ranges N [1000000]      --type-keys N [50000]\n"
    "  --labour-values N [500000]    --packages N [5000]\n"
    "  --package-groups N [30]       --labour-positions N [5000]\n"
    "  --package-lines N [300]\n"
    "\n"
    "The VIN XVQ9S01A57S000001 of the synthetic catalogue leads to its large\n"
    "vehicle: type key 9E01, lead type 9E01, model series S00, type number\n"
    "VQS00DE. Its package list holds the packages (every one valued for the\n"
    "vehicle), main group 90 the edited package 9000000 of --package-lines\n"
    "lines, and the labour-value catalogue main group 50 of --labour-positions\n"
    "positions.\n";

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QString schema, out;
    QStringList data;
    bool synthetic = false;
    SyntheticSize size;
    // Each size option with its field and the most it can build.
    const std::pair<const char *, std::pair<int *, int>> sizes[] = {
        {"--vin-ranges", {&size.vinRanges, 100000000}},
        {"--type-keys", {&size.typeKeys, 1000000}},
        {"--labour-values", {&size.labourValues, 100000000}},
        {"--packages", {&size.packages, 1000000}},
        {"--package-groups", {&size.packageGroups, 90}},
        {"--labour-positions", {&size.labourPositions, 99999}},
        {"--package-lines", {&size.packageLines, 10000}},
    };
    QTextStream err(stderr);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto next = [&]() { return i + 1 < args.size() ? args.at(++i) : QString(); };
        const auto sized = std::find_if(std::begin(sizes), std::end(sizes),
                                        [&](const auto &s) { return a == QLatin1String(s.first); });
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            QTextStream(stdout) << kUsage;
            return 0;
        }
        if (a == QLatin1String("--schema")) {
            schema = next();
        } else if (a == QLatin1String("--out")) {
            out = next();
        } else if (a == QLatin1String("--synthetic")) {
            synthetic = true;
        } else if (sized != std::end(sizes)) {
            bool ok = false;
            const int n = next().toInt(&ok);
            if (!ok || n < 1 || n > sized->second.second) {
                err << a << " takes a number from 1 to " << sized->second.second << "\n";
                return 2;
            }
            *sized->second.first = n;
        } else if (a.startsWith(QLatin1String("--"))) {
            err << "unknown option " << a << "\n";
            return 2;
        } else {
            data << a;
        }
    }
    if (schema.isEmpty() || out.isEmpty() || (synthetic == !data.isEmpty())) {
        err << kUsage;
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    // A synthetic catalogue of the default sizes takes a while: each step
    // is told on the error output as it begins.
    auto progress = [&err, &timer](const QString &step) {
        err << "yaq2-mkdb: " << step << " ... (" << timer.elapsed() / 1000 << " s)\n";
        err.flush();
    };
    const QString error = synthetic ? BuildSyntheticCatalogue(out, schema, size, progress)
                                    : BuildCatalogueFromScripts(out, schema, data);
    if (!error.isEmpty()) {
        err << "yaq2-mkdb: " << error << "\n";
        return 1;
    }
    if (synthetic)
        QTextStream(stdout) << "built " << out << " in " << timer.elapsed() << " ms\n";
    return 0;
}
