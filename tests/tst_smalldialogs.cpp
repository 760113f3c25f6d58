// The small dialogs every page may open: which information-text file the
// "Hinweise" box shows for a language (with the fallback to "01", and no
// box without a file) and how it cuts the file into lines; the number
// entry's result and its four-digit field; the folder chooser's initial
// folder; the contact box, where Enter leaves by the back button and never
// opens an empty mail address; the quality-report form of a language; the
// scope-text box, which stays on the screen beside its anchor and closes as
// OK on Return.

#include "common/DirDialog.h"
#include "common/EditNrDlg.h"
#include "common/OpenUrl.h"
#include "common/OwnButton.h"
#include "common/TextDlg.h"
#include "common/UmfassDlg.h"
#include "common/VgKontaktDlg.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestSmallDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void textFileByLanguage_data();
    void textFileByLanguage();
    void textLines_data();
    void textLines();
    void textBoxOnlyWithAFile();
    void textBoxClosesOnReturn_data();
    void textBoxClosesOnReturn();
    void textLinesScrollOnlyAsFarAsTheyReach_data();
    void textLinesScrollOnlyAsFarAsTheyReach();
    void numberEntryResult_data();
    void numberEntryResult();
    void numberEntryRun_data();
    void numberEntryRun();
    void numberFieldTakesFourDigits_data();
    void numberFieldTakesFourDigits();
    void initialFolder_data();
    void initialFolder();
    void mailUrl_data();
    void mailUrl();
    void qualityReportPath_data();
    void qualityReportPath();
    void contactEnterLeavesByTheBackButton();
    void scopeBoxStaysOnScreen_data();
    void scopeBoxStaysOnScreen();
    void scopeBoxClosesOnReturn_data();
    void scopeBoxClosesOnReturn();

private:
    TestEnv m_env;
    QTemporaryDir m_dir;
};

void TestSmallDialogs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestSmallDialogs::textFileByLanguage_data()
{
    // The languages whose files exist ("-" for the file without language),
    // the language asked for, the file shown ("" for no box).
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("shown");
    using L = QStringList;
    // clang-format off
    QTest::newRow("file of the language")                << L{"00", "01"} << "00" << "00";
    QTest::newRow("language without file shows 01")      << L{"00", "01"} << "15" << "01";
    QTest::newRow("English without its file: no box")    << L{"00"}       << "01" << "";
    QTest::newRow("neither the language nor 01: no box") << L{"00"}       << "15" << "";
    QTest::newRow("no language: the plain name")         << L{"-", "01"}  << ""   << "-";
    QTest::newRow("no language: no fallback to 01")      << L{"01"}       << ""   << "";
    // clang-format on
}

void TestSmallDialogs::textFileByLanguage()
{
    QFETCH(QStringList, files);
    QFETCH(QString, language);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("InfoPr"));
    for (const QString &file : files) {
        const QString code = file == QLatin1String("-") ? QString() : file;
        QVERIFY(writeTextFile(prefix + code + QStringLiteral(".dat"), file.toUtf8() + "\n"));
    }
    QStringList lines;
    QString path;
    const bool found =
        CTextDlg::LoadTextFile(prefix, language, QStringLiteral(".dat"), &lines, &path);
    QCOMPARE(found, !shown.isEmpty());
    if (!shown.isEmpty())
        QCOMPARE(lines, QStringList{shown});
}

void TestSmallDialogs::textLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    using L = QStringList;
    // clang-format off
    QTest::newRow("empty line keeps its height")     << QByteArray("a\r\n\r\nb")              << L{"a", " ", "b"};
    QTest::newRow("last line with LF")               << QByteArray("a\nb\n")                  << L{"a", "b"};
    QTest::newRow("empty last line after LF dropped") << QByteArray("a\n\n")                  << L{"a", " "};
    QTest::newRow("empty file: empty list")          << QByteArray()                          << L{};
    QTest::newRow("UTF-8 with byte-order mark")      << QByteArray("\xEF\xBB\xBFPreis \xE2\x82\xAC") << L{QString::fromUtf8("Preis €")};
    QTest::newRow("Latin-1 of an old file")          << QByteArray("Gr\xF6\xDF" "e")          << L{QString::fromUtf8("Größe")};
    // clang-format on
}

void TestSmallDialogs::textLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(CTextDlg::TextLines(bytes), lines);
}

void TestSmallDialogs::textBoxOnlyWithAFile()
{
    const QString prefix = m_dir.filePath(QStringLiteral("InfoFg"));
    CTextDlg missing;
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    QCOMPARE(missing.DoModalText(prefix, QStringLiteral("15"), QStringLiteral(".dat")),
             int(QDialog::Rejected));
    QCoreApplication::processEvents();
    QVERIFY(!shown);

    // With the file of "01" the box shows its lines.
    QVERIFY(writeTextFile(prefix + QStringLiteral("01.dat"), "Vehicle search\r\n\r\nvia DMS"));
    CTextDlg text;
    QStringList seen;
    QTimer::singleShot(0, [&] {
        seen = text.Lines();
        text.findChild<COwnButton *>(QStringLiteral("okButton"))->click();
    });
    QCOMPARE(text.DoModalText(prefix, QStringLiteral("15"), QStringLiteral(".dat")),
             int(QDialog::Accepted));
    QCOMPARE(seen, (QStringList{"Vehicle search", " ", "via DMS"}));
}

void TestSmallDialogs::textBoxClosesOnReturn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("Return presses OK")           << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Enter of the pad presses OK") << int(Qt::Key_Enter)  << int(QDialog::Accepted);
    QTest::newRow("Escape")                      << int(Qt::Key_Escape) << int(QDialog::Rejected);
    // clang-format on
}

void TestSmallDialogs::textBoxClosesOnReturn()
{
    QFETCH(int, key);
    const QString prefix = m_dir.filePath(QStringLiteral("InfoPr"));
    QVERIFY(writeTextFile(prefix + QStringLiteral("00.dat"), "Preise\n\nauf Anfrage"));
    CTextDlg text;
    QTimer::singleShot(0, [&text, key] {
        QWidget *focus = text.focusWidget();
        QTest::keyClick(focus ? focus : &text, Qt::Key(key));
    });
    // A box the key does not close fails here rather than hangs.
    QTimer::singleShot(YaqTest::kHangMs, &text, [&text] { text.done(42); });
    QTEST(text.DoModalText(prefix, QStringLiteral("00"), QStringLiteral(".dat")), "result");
}

void TestSmallDialogs::textLinesScrollOnlyAsFarAsTheyReach_data()
{
    // Row: the length of the one line (in "W"s); whether the box, widened
    // for it as far as the screen allows, scrolls sideways, then to the
    // line's end and its margin of 15 pixels.
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("scrolls");
    // clang-format off
    QTest::newRow("a line that fits")                 << 20  << false;
    QTest::newRow("a line wider than the box at first") << 45 << false;
    QTest::newRow("a line wider than the screen")     << 200 << true;
    // clang-format on
}

void TestSmallDialogs::textLinesScrollOnlyAsFarAsTheyReach()
{
    QFETCH(int, length);
    QFETCH(bool, scrolls);
    const QString prefix = m_dir.filePath(QStringLiteral("InfoPr"));
    const QString line = QString(length, QLatin1Char('W'));
    QVERIFY(writeTextFile(prefix + QStringLiteral("00.dat"), line.toUtf8()));
    CTextDlg text;
    auto *list = text.findChild<QListWidget *>(QStringLiteral("textLines"));
    bool shown = false;
    int reach = -1;
    QTimer::singleShot(0, [&] {
        list->doItemsLayout();
        QCoreApplication::processEvents();
        shown = list->horizontalScrollBar()->isVisible();
        reach = list->horizontalScrollBar()->maximum() + list->viewport()->width();
        text.accept();
    });
    text.DoModalText(prefix, QStringLiteral("00"), QStringLiteral(".dat"));
    QCOMPARE(shown, scrolls);
    if (scrolls)
        QCOMPARE(reach, QFontMetrics(list->font()).horizontalAdvance(line) + 2 * 15);
}

void TestSmallDialogs::numberEntryResult_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("unchanged")                 << "12" << "12"   << -1;
    QTest::newRow("leading zeros")             << "12" << "0012" << 12;
    QTest::newRow("emptied")                   << "12" << ""     << -1;
    QTest::newRow("zero")                      << "12" << "0"    << 0;
    QTest::newRow("work by time given a value") << "AZ" << "5"   << 5;
    QTest::newRow("no value left as it was")   << "-"  << "-"    << -1;
    // clang-format on
}

void TestSmallDialogs::numberEntryResult()
{
    QFETCH(QString, initial);
    QFETCH(QString, typed);
    QFETCH(int, result);
    QCOMPARE(CEditNrDlg::ResultOf(initial, typed), result);
}

void TestSmallDialogs::numberEntryRun_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("OK with a new number") << "7"  << "okButton"     << 7;
    QTest::newRow("Enter in the field")   << "30" << ""             << 30;
    QTest::newRow("cancel")               << "7"  << "cancelButton" << -1;
    // clang-format on
}

void TestSmallDialogs::numberEntryRun()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(int, result);
    CPrgSettings settings;
    settings.Sound = 0;
    CEditNrDlg entry(&settings);
    QString selected;
    QTimer::singleShot(0, [&] {
        QLineEdit *field = entry.NumberField();
        selected = field->selectedText();
        QTest::keyClicks(field, typed);
        if (button.isEmpty())
            QTest::keyClick(field, Qt::Key_Return);
        else
            entry.findChild<COwnButton *>(button)->click();
    });
    QTimer::singleShot(YaqTest::kHangMs, &entry, [&entry] { entry.done(QDialog::Rejected); });
    QCOMPARE(entry.DoModal(QStringLiteral("12")), result);
    // The field opens with its whole text selected, so typing replaces it.
    QCOMPARE(selected, QStringLiteral("12"));
}

void TestSmallDialogs::numberFieldTakesFourDigits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    // clang-format off
    QTest::newRow("five digits")     << "12345" << "1234";
    QTest::newRow("letters refused") << "1a2b"  << "12";
    QTest::newRow("no sign")         << "-3"    << "3";
    // clang-format on
}

void TestSmallDialogs::numberFieldTakesFourDigits()
{
    QFETCH(QString, typed);
    QFETCH(QString, field);
    CEditNrDlg entry(nullptr);
    QLineEdit *edit = entry.NumberField();
    edit->clear();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), field);
}

void TestSmallDialogs::initialFolder_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("opened");
    // clang-format off
    QTest::newRow("backslash and blank")   << "C:\\Daten\\ "           << "C:\\Daten";
    QTest::newRow("slash and blanks")      << "/home/werkstatt/aus/  " << "/home/werkstatt/aus";
    QTest::newRow("only one separator")    << "/home/werkstatt//"      << "/home/werkstatt/";
    QTest::newRow("root stays")            << "/"                      << "/";
    QTest::newRow("drive root stays")      << "C:\\"                   << "C:\\";
    QTest::newRow("none")                  << "  "                     << "";
    // clang-format on
}

void TestSmallDialogs::initialFolder()
{
    QFETCH(QString, given);
    QFETCH(QString, opened);
    QCOMPARE(CDirDialog::InitialFolder(given), opened);
}

void TestSmallDialogs::mailUrl_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("url");
    // clang-format off
    QTest::newRow("empty opens nothing")  << ""                      << "";
    QTest::newRow("blanks open nothing")  << "   "                   << "";
    QTest::newRow("an address")           << " support@example.org " << "mailto:support@example.org";
    // clang-format on
}

void TestSmallDialogs::mailUrl()
{
    QFETCH(QString, address);
    QFETCH(QString, url);
    QCOMPARE(CVgKontaktDlg::MailUrl(address), url);
}

void TestSmallDialogs::qualityReportPath_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("form");
    // clang-format off
    QTest::newRow("German: its own form")       << "00" << "/d/SRP/Report/Quality Report00.doc";
    QTest::newRow("English")                    << "01" << "/d/SRP/Report/Quality Report01.doc";
    QTest::newRow("any other: the English one") << "15" << "/d/SRP/Report/Quality Report01.doc";
    // clang-format on
}

void TestSmallDialogs::qualityReportPath()
{
    QFETCH(QString, language);
    QFETCH(QString, form);
    QCOMPARE(CVgKontaktDlg::QualityReportPath(QStringLiteral("/d"), language), form);
}

void TestSmallDialogs::contactEnterLeavesByTheBackButton()
{
    QStringList opened;
    SetUrlOpener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    CPrgSettings settings;
    settings.Sound = 0;
    CVgKontaktDlg contact(&settings);
    bool noticeShown = false;
    bool contactRowsShown = true;
    QTimer::singleShot(0, [&] {
        noticeShown = contact.findChild<QWidget *>(QStringLiteral("notice"))->isVisible();
        contactRowsShown =
            contact.findChild<QWidget *>(QStringLiteral("contactFrame"))->isVisible();
        QTest::keyClick(&contact, Qt::Key_Return);
    });
    // A box that Enter does not close fails here rather than hangs.
    QTimer::singleShot(YaqTest::kHangMs, &contact, [&contact] { contact.done(42); });
    QCOMPARE(contact.DoModal(), int(QDialog::Rejected));
    SetUrlOpener(nullptr);
    QVERIFY(noticeShown);
    QVERIFY(!contactRowsShown);
    QCOMPARE(opened, QStringList());
}

void TestSmallDialogs::scopeBoxStaysOnScreen_data()
{
    // Row: the anchor and the box's size on a screen of 1600 x 1000 whose
    // free area starts at (0, 0) -> the box's top-left corner.
    QTest::addColumn<QPoint>("anchor");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("topLeft");
    // clang-format off
    QTest::newRow("room below the anchor")            << QPoint(800, 200)  << QSize(480, 300) << QPoint(560, 200);
    QTest::newRow("bottom edge: above the anchor")    << QPoint(800, 715)  << QSize(480, 300) << QPoint(560, 415);
    QTest::newRow("just fits below")                  << QPoint(800, 700)  << QSize(480, 300) << QPoint(560, 700);
    QTest::newRow("right edge")                       << QPoint(1500, 200) << QSize(480, 300) << QPoint(1120, 200);
    QTest::newRow("left edge")                        << QPoint(100, 200)  << QSize(480, 300) << QPoint(0, 200);
    QTest::newRow("taller than above and below")      << QPoint(800, 200)  << QSize(480, 900) << QPoint(560, 0);
    // clang-format on
}

void TestSmallDialogs::scopeBoxStaysOnScreen()
{
    QFETCH(QPoint, anchor);
    QFETCH(QSize, size);
    const QRect box = CUmfassDlg::PlaceBeside(anchor, size, QRect(0, 0, 1600, 1000));
    QCOMPARE(box.size(), size);
    QTEST(box.topLeft(), "topLeft");
}

void TestSmallDialogs::scopeBoxClosesOnReturn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    // clang-format off
    QTest::newRow("Return")           << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("Enter of the pad") << int(Qt::Key_Enter)  << int(QDialog::Accepted);
    QTest::newRow("Escape")           << int(Qt::Key_Escape) << int(QDialog::Rejected);
    // clang-format on
}

void TestSmallDialogs::scopeBoxClosesOnReturn()
{
    QFETCH(int, key);
    CUmfassDlg box;
    QTimer::singleShot(0, [&box, key] { QTest::keyClick(&box, Qt::Key(key)); });
    // A box the key does not close fails here rather than hangs.
    QTimer::singleShot(YaqTest::kHangMs, &box, [&box] { box.done(42); });
    QTEST(box.DoModalAt(QPoint(100, 100), 0, QStringLiteral("1110010"), {}), "result");
}

YAQ_TEST_MAIN(TestSmallDialogs)
#include "tst_smalldialogs.moc"
