// The owner-drawn head buttons paint in every state, with and without a
// picture, in every style the program may run under.

#include "common/OwnButton.h"

#include "support/TestEnv.h"
#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <QtTest>

class TestOwnButton : public QObject
{
    Q_OBJECT
private slots:
    void paintsInEveryState_data();
    void paintsInEveryState();
};

void TestOwnButton::paintsInEveryState_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("withBitmap");
    for (const QString &style : QStyleFactory::keys()) {
        for (bool enabled : {true, false}) {
            for (bool bitmap : {true, false}) {
                const QString name = QStringLiteral("%1, %2, %3")
                                         .arg(style, enabled ? "enabled" : "disabled",
                                              bitmap ? "with picture" : "text only");
                QTest::newRow(qPrintable(name)) << style << enabled << bitmap;
            }
        }
    }
}

void TestOwnButton::paintsInEveryState()
{
    QFETCH(QString, style);
    QFETCH(bool, enabled);
    QFETCH(bool, withBitmap);
    Q_INIT_RESOURCE(yaq2);
    QVERIFY(!QPixmap(QStringLiteral(":/bitmaps/dmsvin.png")).isNull());
    std::unique_ptr<QStyle> qstyle(QStyleFactory::create(style));
    QVERIFY(qstyle);
    COwnButton button;
    button.setStyle(qstyle.get());
    button.setText(QStringLiteral("&Suchen"));
    if (withBitmap)
        button.SetBitmap(QStringLiteral(":/bitmaps/dmsvin.png"));
    button.setEnabled(enabled);
    button.resize(120, 28);
    const QImage image = button.grab().toImage();
    QCOMPARE(image.size(), QSize(120, 28) * button.devicePixelRatio());
}

YAQ_TEST_MAIN(TestOwnButton)
#include "tst_ownbutton.moc"
