// yaq2-mkdb: builds an SQLite catalogue file.
//   yaq2-mkdb --schema <schema.sql> --out <file> <data.sql>...
//   yaq2-mkdb --schema <schema.sql> --out <file> --synthetic
//             [--vin-ranges N] [--type-keys N] [--labour-values N]

#include "yaq2-mkdb/CatalogueBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QString schema, out;
    QStringList data;
    bool synthetic = false;
    SyntheticSize size;
    QTextStream err(stderr);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        auto next = [&]() { return i + 1 < args.size() ? args.at(++i) : QString(); };
        if (a == QLatin1String("--schema"))
            schema = next();
        else if (a == QLatin1String("--out"))
            out = next();
        else if (a == QLatin1String("--synthetic"))
            synthetic = true;
        else if (a == QLatin1String("--vin-ranges"))
            size.vinRanges = next().toInt();
        else if (a == QLatin1String("--type-keys"))
            size.typeKeys = next().toInt();
        else if (a == QLatin1String("--labour-values"))
            size.labourValues = next().toInt();
        else if (a.startsWith(QLatin1String("--"))) {
            err << "unknown option " << a << "\n";
            return 2;
        } else
            data << a;
    }
    if (schema.isEmpty() || out.isEmpty() || (synthetic == !data.isEmpty())) {
        err << "usage: yaq2-mkdb --schema <schema.sql> --out <file> (<data.sql>... | --synthetic"
               " [--vin-ranges N] [--type-keys N] [--labour-values N])\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const QString error = synthetic ? BuildSyntheticCatalogue(out, schema, size)
                                    : BuildCatalogueFromScripts(out, schema, data);
    if (!error.isEmpty()) {
        err << "yaq2-mkdb: " << error << "\n";
        return 1;
    }
    if (synthetic)
        QTextStream(stdout) << "built " << out << " in " << timer.elapsed() << " ms\n";
    return 0;
}
