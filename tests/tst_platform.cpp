// Program texts, program languages with Qt's translations, message boxes,
// dialog titles and the user profile of the platform layer.

#include "platform/ClipboardHolder.h"
#include "platform/DialogTitleFit.h"
#include "platform/HeldReturnFilter.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/PrgLanguage.h"
#include "platform/Profile.h"
#include "platform/StringUtil.h"
#include "platform/WindowlessPlatform.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QColor>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLocalSocket>
#include <QLockFile>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <vector>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    void texts();
    void textsOfFreshTables();
    void textWording_data();
    void textWording();
    void codePages_data();
    void codePages();
    void languageLocales_data();
    void languageLocales();
    void qtTranslations_data();
    void qtTranslations();
    void dialogsAreAsWideAsTheirTitles_data();
    void dialogsAreAsWideAsTheirTitles();
    void checkBoxWritesFlag_data();
    void checkBoxWritesFlag();
    void duplicateQuestionButtons_data();
    void duplicateQuestionButtons();
    void keysOnAQuestion_data();
    void keysOnAQuestion();
    void boxesStayWithinTheScreen_data();
    void boxesStayWithinTheScreen();
    void newLineForms_data();
    void newLineForms();
    void trailingBlanksAndSpaces_data();
    void trailingBlanksAndSpaces();
    void profileValues();
    void profileFileReadsBackAsWritten_data();
    void profileFileReadsBackAsWritten();
    void profileWriteKeepsWhatOthersWrote();
    void profileKeepsLinesItDidNotChange_data();
    void profileKeepsLinesItDidNotChange();
    void profileWritesOnlyTheChangedKey_data();
    void profileWritesOnlyTheChangedKey();
    void profileRewrittenAtOnceReadsBackNew();
    void profileLockIsHeldOnlyByAWriterThatLives_data();
    void profileLockIsHeldOnlyByAWriterThatLives();
    void profileWriteHoldsTheLockOrSaysWhy_data();
    void profileWriteHoldsTheLockOrSaysWhy();
    void storedRectangles_data();
    void storedRectangles();
    void callerModeTakesX11WhereItCan_data();
    void callerModeTakesX11WhereItCan();
    void platformPluginsFound_data();
    void platformPluginsFound();
    void windowOnWaylandWithoutX_data();
    void windowOnWaylandWithoutX();
    void answerOutsideX11NeverKept_data();
    void answerOutsideX11NeverKept();
    void platformArgumentTakenOut_data();
    void platformArgumentTakenOut();
    void heldReturnPressesOnce_data();
    void heldReturnPressesOnce();
    void printDemoWithoutADisplay_data();
    void printDemoWithoutADisplay();
};

void TestPlatform::texts()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
    QCOMPARE(OrmelText(3009), QStringLiteral("AW"));
    QVERIFY(OrmelText(7021).contains(QLatin1Char('\n')));
    QCOMPARE(OrmelText(-5), QString());
    QCOMPARE(OrmelText(999999), QString());

    SetPrgSprache(QStringLiteral("01"));
    QCOMPARE(GetPrgTextSprache(), QStringLiteral("01"));
    QCOMPARE(OrmelText(3009), QStringLiteral("LV"));
    // Not translated: the German text.
    QCOMPARE(OrmelText(4045).left(16), QStringLiteral("Die Fahrzeugausw"));

    // A language without a table shows German.
    SetPrgSprache(QStringLiteral("18"));
    QCOMPARE(GetPrgTextSprache(), QStringLiteral("00"));
    QCOMPARE(OrmelText(3009), QStringLiteral("AW"));
    SetPrgSprache(QStringLiteral("00"));
}

void TestPlatform::textsOfFreshTables()
{
    TestEnv env;
    const QString folder = env.path() + QStringLiteral("/PrgTxt");
    QVERIFY(writeTextFile(folder + QStringLiteral("/PrgTxt00.txt"),
                          "# comment\n10\tA\\tB\\\\C\r\n11 broken line\nxx\tno id\n12\t\n"));
    InitOrmelText(folder);
    SetPrgSprache(QStringLiteral("00"));
    QCOMPARE(OrmelText(10), QStringLiteral("A\tB\\C"));
    QCOMPARE(OrmelText(11), QString());
    QCOMPARE(OrmelText(12), QString());
    InitOrmelText(env.path() + QStringLiteral("/missing"));
    QCOMPARE(OrmelText(10), QString());
}

void TestPlatform::textWording_data()
{
    // Row: a German program text and a piece of it as it has to read: the
    // basket is the "Zwischenablage", a sentence after a colon begins with
    // a capital.
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("piece");
    // clang-format off
    QTest::newRow("VIN too short: the basket")               << 7070 << "Die Zwischenablage wird nicht";
    QTest::newRow("entries a road cannot carry")             << 7071 << "sie bleiben in der Zwischenablage: %s";
    QTest::newRow("road not available: the basket")          << 7073 << "Die Zwischenablage bleibt";
    QTest::newRow("push answered late: capital after colon") << 7191 << "nicht \u00fcbernommen: Das DMS";
    // clang-format on
}

void TestPlatform::textWording()
{
    QFETCH(int, id);
    QFETCH(QString, piece);
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
    QVERIFY2(OrmelText(id).contains(piece), qPrintable(OrmelText(id)));
}

void TestPlatform::codePages_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("codePage");
    QTest::newRow("German") << "00" << 1252;
    QTest::newRow("Greek") << "18" << 1253;
    QTest::newRow("Russian") << "16" << 1251;
    QTest::newRow("Polish") << "17" << 1250;
    QTest::newRow("Japanese") << "08" << 932;
    QTest::newRow("Chinese") << "13" << 936;
    // clang-format off
    QTest::newRow("Turkish") << "19" << 1254;
    QTest::newRow("Bulgarian") << "27" << 1251;
    QTest::newRow("Romanian") << "45" << 1250;
    QTest::newRow("Croatian") << "72" << 1250;
    QTest::newRow("Slovak") << "75" << 1250;
    QTest::newRow("Slovenian") << "76" << 1250;
    QTest::newRow("Czech") << "77" << 1250;
    QTest::newRow("Hungarian") << "78" << 1250;
    QTest::newRow("Thai") << "11" << 874;
    QTest::newRow("Taiwanese") << "12" << 950;
    QTest::newRow("Korean") << "14" << 949;
    QTest::newRow("US English") << "07" << 1252;
    QTest::newRow("Finnish") << "22" << 1252;
    // clang-format on
    QTest::newRow("unknown") << "99" << 1252;
}

void TestPlatform::codePages()
{
    QFETCH(QString, language);
    QTEST(GetPrgCodePage(language), "codePage");
}

void TestPlatform::languageLocales_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("locale");
    // clang-format off
    QTest::newRow("German")     << "00" << "de_DE";
    QTest::newRow("English")    << "01" << "en_GB";
    QTest::newRow("US English") << "07" << "en_US";
    QTest::newRow("Taiwanese")  << "12" << "zh_TW";
    QTest::newRow("Slovenian")  << "76" << "sl_SI";
    QTest::newRow("unknown")    << "99" << "C";
    // clang-format on
}

void TestPlatform::languageLocales()
{
    QFETCH(QString, language);
    QTEST(PrgSpracheLocale(language).name(), "locale");
}

void TestPlatform::qtTranslations_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("yes");    // the standard button
    QTest::addColumn<QString>("cancel"); // the standard button
    // clang-format off
    QTest::newRow("German")                       << "00" << true  << "&Ja"  << "Abbrechen";
    QTest::newRow("French")                       << "02" << true  << "&Oui" << "Annuler";
    QTest::newRow("English")                      << "01" << true  << "&Yes" << "Cancel";
    QTest::newRow("Thai: no translations, quiet") << "11" << false << "&Yes" << "Cancel";
    QTest::newRow("no program language")          << "99" << false << "&Yes" << "Cancel";
    // clang-format on
}

void TestPlatform::qtTranslations()
{
    QFETCH(QString, language);
    // The translations Debian installs beside Qt (qt6-translations-l10n).
    CQtTranslations translations;
    // Whatever came before, the new language replaces it.
    QVERIFY(translations.Load(QStringLiteral("00")));
    QTEST(translations.Load(language), "loaded");
    QTEST(QCoreApplication::translate("QPlatformTheme", "&Yes"), "yes");
    QTEST(QCoreApplication::translate("QPlatformTheme", "Cancel"), "cancel");
}

void TestPlatform::dialogsAreAsWideAsTheirTitles_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("fixedWidth"); // 0: as wide as the content
    QTest::addColumn<bool>("retitled");  // the title is set once shown
    // clang-format off
    QTest::newRow("a long title over a short question") << "Fahrgestellnummer vervollständigen" << 0   << false;
    QTest::newRow("a title changed while shown")        << "AW  F40 DE      DMS-Fahrgestellnumer-Abfrage" << 0 << true;
    QTest::newRow("a short title")                      << "Y A Q 2"                            << 0   << false;
    QTest::newRow("a dialog of fixed width stays")      << "Fahrgestellnummer vervollständigen" << 120 << false;
    // clang-format on
}

void TestPlatform::dialogsAreAsWideAsTheirTitles()
{
    QFETCH(QString, title);
    QFETCH(int, fixedWidth);
    QFETCH(bool, retitled);
    CDialogTitleFit fit;
    qApp->installEventFilter(&fit);
    QDialog dialog;
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Ja?"), &dialog));
    if (fixedWidth)
        dialog.setFixedWidth(fixedWidth);
    if (!retitled)
        dialog.setWindowTitle(title);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog, YaqTest::kHangMs));
    if (retitled)
        dialog.setWindowTitle(title);
    const int content = dialog.sizeHint().width();
    const int expected =
        fixedWidth ? fixedWidth : qMax(content, CDialogTitleFit::TitleWidth(title));
    QCOMPARE(dialog.width(), expected);
    qApp->removeEventFilter(&fit);
}

void TestPlatform::checkBoxWritesFlag_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<int>("flagAfter");
    QTest::newRow("ticked clears the flag") << true << 0;
    QTest::newRow("not ticked keeps it") << false << 1;
}

void TestPlatform::checkBoxWritesFlag()
{
    QFETCH(bool, ticked);
    TestEnv env;
    env.answerBoxes(IDOK, ticked);
    int flag = 1;
    QCOMPARE(OwnMsgChkBox(QStringLiteral("Hinweis"), &flag), int(IDOK));
    QTEST(flag, "flagAfter");
    QCOMPARE(env.boxes().size(), 1);
    QCOMPARE(env.boxes().first().caption, QStringLiteral("Y A Q 2"));
    QVERIFY(env.boxes().first().withCheckBox);

    env.answerBoxes(IDNO);
    QCOMPARE(OwnMsgBox(QStringLiteral("Frage"), nullptr, kMsgBoxTitle, MSG_ALIGN_LEFT, MB_YESNO),
             int(IDNO));
    QCOMPARE(env.boxes().last().type, int(MB_YESNO));
}

void TestPlatform::duplicateQuestionButtons_data()
{
    // The button the adviser clicks in the shown box, the answer.
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("answer");
    // clang-format off
    QTest::newRow("store additionally") << "Zusätzlich speichern" << int(IDSTOREAGAIN);
    QTest::newRow("overwrite")          << "Überschreiben"        << int(IDOVERWRITE);
    QTest::newRow("cancel")             << "Cancel"               << int(IDCANCEL);
    // clang-format on
}

// The duplicate question shows its three buttons and answers by the one
// clicked.
void TestPlatform::duplicateQuestionButtons()
{
    QFETCH(QString, button);
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton *b : box->buttons()) {
            const QString text = b->text().remove(QLatin1Char('&'));
            shown << text;
            if (text == button)
                b->click();
        }
    });
    const int answer = OwnMsgBox(QStringLiteral("Schon da."), nullptr, kMsgBoxTitle,
                                 MSG_ALIGN_NOTICE, MB_STOREAGAIN_OVERWRITE);
    QCOMPARE(shown.size(), 3);
    QTEST(answer, "answer");
}

void TestPlatform::keysOnAQuestion_data()
{
    // Row: the buttons of the box, the button given the focus ("" leaves
    // it where the box puts it), the key ("close": the window's close
    // button), the answer.
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("focused");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("answer");
    // clang-format off
    QTest::newRow("Yes/No: Escape is no answer")         << int(MB_YESNO)       << 0                   << "Escape" << int(IDCANCEL);
    QTest::newRow("Yes/No: close button is no answer")   << int(MB_YESNO)       << 0                   << "close"  << int(IDCANCEL);
    QTest::newRow("Yes/No: Return on Yes")               << int(MB_YESNO)       << 0                   << "Return" << int(IDYES);
    QTest::newRow("Yes/No: Return on No")                << int(MB_YESNO)       << int(QMessageBox::No) << "Return" << int(IDNO);
    QTest::newRow("Yes/No/Cancel: Escape cancels")       << int(MB_YESNOCANCEL) << 0                   << "Escape" << int(IDCANCEL);
    QTest::newRow("notice: Escape closes it")            << int(MB_OK)          << 0                   << "Escape" << int(IDOK);
    // clang-format on
}

// The real box, driven by the keyboard as the adviser drives it.
void TestPlatform::keysOnAQuestion()
{
    QFETCH(int, type);
    QFETCH(int, focused);
    QFETCH(QString, key);
    SetMsgBoxResponder({});
    QTimer::singleShot(0, [focused, key] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QVERIFY(QTest::qWaitForWindowActive(box, YaqTest::kHangMs));
        if (focused)
            box->button(QMessageBox::StandardButton(focused))->setFocus();
        if (key == QLatin1String("close"))
            box->close();
        else
            QTest::keyClick(QApplication::focusWidget(),
                            key == QLatin1String("Escape") ? Qt::Key_Escape : Qt::Key_Return);
    });
    // Should the key leave the box open, the guard closes it and the row
    // fails.
    bool stayedOpen = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&stayedOpen] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            stayedOpen = true;
            box->done(0);
        }
    });
    guard.start(30000);
    const int answer =
        OwnMsgBox(QStringLiteral("Frage?"), nullptr, kMsgBoxTitle, MSG_ALIGN_LEFT, type);
    QVERIFY(!stayedOpen);
    QTEST(answer, "answer");
}

// A text of any length leaves the box within the screen, its button in
// reach, and the box opens at once.
void TestPlatform::boxesStayWithinTheScreen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("nonModal");
    const QString word = QStringLiteral("Fehler ");
    // clang-format off
    QTest::newRow("one word of 900,000 characters") << QString(900000, QLatin1Char('x'))                 << false;
    QTest::newRow("5,000 short lines")              << QStringLiteral("Zeile\n").repeated(5000)          << false;
    QTest::newRow("a long text of words")           << word.repeated(100000)                             << false;
    QTest::newRow("non-modal, 5,000 short lines")   << QStringLiteral("Zeile\n").repeated(5000)          << true;
    QTest::newRow("short text stays whole")         << QStringLiteral("Keine Antwort vom DMS zurückbekommen.") << false;
    // clang-format on
}

void TestPlatform::boxesStayWithinTheScreen()
{
    QFETCH(QString, text);
    QFETCH(bool, nonModal);
    QRect frame;
    QRect room;
    QString shown;
    bool opened = false;
    bool closed = false;
    auto look = [&] {
        QMessageBox *box = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                box = b;
        if (!box)
            return false;
        opened = true;
        frame = box->frameGeometry();
        room = box->screen()->availableGeometry();
        shown = box->text();
        box->buttons().constFirst()->click();
        return true;
    };
    if (nonModal) {
        OwnMsgBoxNonModal(text, nullptr, kMsgBoxTitle, MSG_ALIGN_NOTICE, [&] { closed = true; });
        QVERIFY(look());
        YAQ_TRY_VERIFY(closed);
    } else {
        QTimer::singleShot(0, [&] { QVERIFY(look()); });
        OwnMsgBox(text, nullptr, kMsgBoxTitle, MSG_ALIGN_LEFT);
    }
    QVERIFY2(room.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                  .arg(frame.x())
                                                  .arg(frame.y())
                                                  .arg(frame.width())
                                                  .arg(frame.height())));
    QVERIFY(opened);
    if (text.size() < 100)
        QCOMPARE(shown, text);
    else
        QVERIFY(shown.endsWith(QChar(0x2026)));
}

void TestPlatform::newLineForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("oneLine");
    // clang-format off
    QTest::newRow("windows line breaks") << "a\r\nb"   << "a\\nb";
    QTest::newRow("unix line breaks")    << "a\nb"     << "a\\nb";
    QTest::newRow("backslash kept")      << "C:\\Temp" << "C:\\\\Temp";
    QTest::newRow("backslash n literal") << "x\\ny"    << "x\\\\ny";
    // clang-format on
}

void TestPlatform::newLineForms()
{
    // Texts stored in the older one-line form read back with line feeds,
    // and every text comes back exactly from its escaped form.
    QFETCH(QString, text);
    QFETCH(QString, oneLine);
    QString read = text;
    read.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(UnescapeFieldText(oneLine), read);
    QCOMPARE(UnescapeFieldText(EscapeFieldText(text)), text);
}

// A fixed-width field loses every blank at its end; a database column only
// its padding spaces.
void TestPlatform::trailingBlanksAndSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("withoutBlanks");
    QTest::addColumn<QString>("withoutSpaces");
    // clang-format off
    QTest::newRow("padded column")          << "AB   "   << "AB"  << "AB";
    QTest::newRow("tab at the end")         << "AB\t"    << "AB"  << "AB\t";
    QTest::newRow("line break after space") << "AB \n"   << "AB"  << "AB \n";
    QTest::newRow("inner space kept")       << "A B "    << "A B" << "A B";
    QTest::newRow("only spaces")            << "   "     << ""    << "";
    // clang-format on
}

void TestPlatform::trailingBlanksAndSpaces()
{
    QFETCH(QString, text);
    QTEST(WithoutTrailingBlanks(text), "withoutBlanks");
    QTEST(WithoutTrailingSpaces(text), "withoutSpaces");
}

void TestPlatform::profileValues()
{
    TestEnv env;
    CProfile profile(QStringLiteral("yaq2"));
    QVERIFY(profile.FileName().startsWith(env.path()));
    QCOMPARE(profile.GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 7), 7);
    profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("Sound"),
                               QStringLiteral("abc"));
    QCOMPARE(profile.GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 7), 7);
    profile.WriteProfileRect(QStringLiteral("YAQ"), QStringLiteral("R"), QRect(5, 6, 100, 50));
    QCOMPARE(profile.GetProfileString(QStringLiteral("YAQ"), QStringLiteral("R")),
             QStringLiteral("5,6,105,56"));
    QCOMPARE(profile.GetProfileRect(QStringLiteral("YAQ"), QStringLiteral("R"), QRect()),
             QRect(5, 6, 100, 50));
    profile.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("R"), QStringLiteral("1,2,3"));
    QCOMPARE(profile.GetProfileRect(QStringLiteral("YAQ"), QStringLiteral("R"), QRect(1, 1, 1, 1)),
             QRect(1, 1, 1, 1));
    QVERIFY(profile.Sync());
}

// The profile writes its file itself; QSettings reads it back, as it reads
// the files of earlier versions.
void TestPlatform::profileFileReadsBackAsWritten_data()
{
    QTest::addColumn<QString>("key"); // "section/key", "key" alone for "General"
    QTest::addColumn<QString>("value");
    // clang-format off
    QTest::newRow("plain")                          << "YAQ/Sound"          << "1";
    QTest::newRow("rectangle (commas)")             << "YAQ/YAQ2DlgPosRect" << "0,0,1024,768";
    QTest::newRow("semicolon, equals sign")         << "SRP/User"           << "a;b=c";
    QTest::newRow("blanks around")                  << "SRP/Tel"            << "  0711 1234  ";
    QTest::newRow("quotes and backslashes")         << "YAQ/ReqDateiVerz"   << "C:\\Temp\\\"x\"";
    QTest::newRow("line breaks and tab")            << "YAQ/DlgTitel"       << "a\r\nb\tc";
    QTest::newRow("control character, hex digit")   << "YAQ/Land"           << QString(QChar(1)) + "f";
    QTest::newRow("zero character, digit")          << "YAQ/Land"           << QString(QChar(0)) + "7";
    QTest::newRow("starts with @")                  << "YAQ/Marke"          << "@Invalid()";
    QTest::newRow("umlaut, euro, beyond 16 bits")   << "SRP/User"           << QString::fromUtf8("Müller € \xF0\x9F\x9A\x97");
    QTest::newRow("empty")                          << "SRP/Fax"            << "";
    QTest::newRow("section General")                << "IP"                 << "10.0.0.1";
    QTest::newRow("key with blank and umlaut")      << "YAQ2/Grüße x"       << "1";
    QTest::newRow("section of a key's name")        << "a b/c/d"            << "1";
    // clang-format on
}

void TestPlatform::profileFileReadsBackAsWritten()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestEnv env;
    const QString path = env.path() + QStringLiteral("/written.ini");
    QVERIFY(writeTextFile(path, ProfileIniBytes({{key, value}, {QStringLiteral("YAQ/Next"), 2}})));
    const QSettings read(path, QSettings::IniFormat);
    QCOMPARE(read.status(), QSettings::NoError);
    QCOMPARE(read.allKeys().size(), 2);
    QCOMPARE(read.value(key).toString(), value);
    QCOMPARE(read.value(QStringLiteral("YAQ/Next")).toString(), QStringLiteral("2"));
}

// Writing replaces only what this profile changed: a value another program
// wrote meanwhile stays.
void TestPlatform::profileWriteKeepsWhatOthersWrote()
{
    TestEnv env;
    CProfile mine(QStringLiteral("yaq2"));
    {
        CProfile other(QStringLiteral("yaq2"));
        other.WriteProfileString(QStringLiteral("YAQ"), QStringLiteral("ReceiveXMLAddress"),
                                 QStringLiteral("127.0.0.1"));
        QVERIFY(other.Sync());
    }
    mine.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
    QVERIFY(mine.Sync());
    const CProfile next(QStringLiteral("yaq2"));
    QCOMPARE(next.GetProfileString(QStringLiteral("YAQ"), QStringLiteral("ReceiveXMLAddress")),
             QStringLiteral("127.0.0.1"));
    QCOMPARE(next.GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), -1), 1);
}

// A profile the settings store wrote, with values of every form it has, and
// lines a person added: the program changes one value, and every other line
// stays byte for byte.
void TestPlatform::profileKeepsLinesItDidNotChange_data()
{
    QTest::addColumn<QVariant>("value");   // stored by QSettings as "YAQ/Kept"
    QTest::addColumn<QByteArray>("added"); // lines added to the file by hand
    const QByteArray bytes("\xFF\x00\x80\"\\", 5);
    // clang-format off
    QTest::newRow("rectangle")                  << QVariant(QRect(1, 2, 30, 40))                                 << QByteArray();
    QTest::newRow("size")                       << QVariant(QSize(5, 6))                                         << QByteArray();
    QTest::newRow("point")                      << QVariant(QPoint(-7, 8))                                       << QByteArray();
    QTest::newRow("map")                        << QVariant(QVariantMap{{"a", 1}, {"b", "x"}})                   << QByteArray();
    QTest::newRow("colour")                     << QVariant(QColor(10, 20, 30))                                  << QByteArray();
    QTest::newRow("date and time")              << QVariant(QDateTime(QDate(2026, 3, 7), QTime(8, 9, 10)))       << QByteArray();
    QTest::newRow("list of texts with @")       << QVariant(QStringList{"@at", "@@double", "plain"})             << QByteArray();
    QTest::newRow("list holding a byte array")  << QVariant(QVariantList{bytes, "x"})                            << QByteArray();
    QTest::newRow("a person's comment")         << QVariant()                                                    << QByteArray("; written by hand\n");
    QTest::newRow("keys out of order")          << QVariant()                                                    << QByteArray("[SRP]\nZeta=1\nAlpha=2\n");
    QTest::newRow("blanks around equals sign")  << QVariant()                                                    << QByteArray("[SRP]\nUser = Meier \n");
    QTest::newRow("section before General")     << QVariant()                                                    << QByteArray("[A]\nx=1\n[general]\nIP=1\n");
    QTest::newRow("line ends CR LF")            << QVariant()                                                    << QByteArray("[SRP]\r\nFax=1\r\n");
    // clang-format on
}

void TestPlatform::profileKeepsLinesItDidNotChange()
{
    QFETCH(QVariant, value);
    QFETCH(QByteArray, added);
    TestEnv env;
    const QString path = CProfile(QStringLiteral("yaq2")).FileName();
    {
        QSettings stored(path, QSettings::IniFormat);
        stored.setValue(QStringLiteral("YAQ/Kept"), value);
        stored.setValue(QStringLiteral("YAQ/Sound"), 0);
        stored.setValue(QStringLiteral("YAQ2/Zoom"), 100);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    QCOMPARE(file.write(added), added.size());
    file.close();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray expected = file.readAll();
    file.close();
    QVERIFY(expected.contains("\nSound=0\n"));
    expected.replace("\nSound=0\n", "\nSound=1\n");
    {
        CProfile profile(QStringLiteral("yaq2"));
        profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
        QVERIFY(profile.Sync());
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expected);
}

// The line the settings store reads the key from takes the new value; a new
// key goes to the end of its section, a new section to the end of the file.
void TestPlatform::profileWritesOnlyTheChangedKey_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key"); // written with the value 5
    QTest::addColumn<QByteArray>("after");
    // clang-format off
    QTest::newRow("value replaced, key kept")      << QByteArray("[YAQ]\n  N =1\nA=1\n")            << "YAQ/N"      << QByteArray("[YAQ]\n  N =5\nA=1\n");
    QTest::newRow("comment behind the value")      << QByteArray("[YAQ]\nN=1 ;old\n")               << "YAQ/N"      << QByteArray("[YAQ]\nN=5;old\n");
    QTest::newRow("value over two lines")          << QByteArray("[YAQ]\nN=\"a\nb\"\nA=1\n")        << "YAQ/N"      << QByteArray("[YAQ]\nN=5\nA=1\n");
    QTest::newRow("key given twice, last is read") << QByteArray("[YAQ]\nN=1\n[YAQ]\nN=2\n")        << "YAQ/N"      << QByteArray("[YAQ]\nN=1\n[YAQ]\nN=5\n");
    QTest::newRow("commented-out key")             << QByteArray("[YAQ]\n;N=1\nA=1\n")              << "YAQ/N"      << QByteArray("[YAQ]\n;N=1\nA=1\nN=5\n");
    QTest::newRow("new key after its section")     << QByteArray("[YAQ]\nA=1\n\n[SRP]\nB=2\n")      << "YAQ/N"      << QByteArray("[YAQ]\nA=1\nN=5\n\n[SRP]\nB=2\n");
    QTest::newRow("section given twice")           << QByteArray("[YAQ]\nA=1\n[SRP]\n[YAQ]\nC=3\n") << "YAQ/N"      << QByteArray("[YAQ]\nA=1\n[SRP]\n[YAQ]\nC=3\nN=5\n");
    QTest::newRow("last line without line end")    << QByteArray("[YAQ]\nA=1")                      << "YAQ/N"      << QByteArray("[YAQ]\nA=1\nN=5\n");
    QTest::newRow("line ends CR LF")               << QByteArray("[YAQ]\r\nA=1\r\n")                << "YAQ/N"      << QByteArray("[YAQ]\r\nA=1\r\nN=5\r\n");
    QTest::newRow("line ends CR only")             << QByteArray("[YAQ]\rA=1\r")                    << "YAQ/N"      << QByteArray("[YAQ]\rA=1\rN=5\r");
    QTest::newRow("CR only, new section")          << QByteArray("[YAQ]\rA=1")                      << "SRP/N"      << QByteArray("[YAQ]\rA=1\r\r[SRP]\rN=5\r");
    QTest::newRow("new section at the end")        << QByteArray("[YAQ]\nA=1\n")                    << "SRP/N"      << QByteArray("[YAQ]\nA=1\n\n[SRP]\nN=5\n");
    QTest::newRow("keys before the first section") << QByteArray("IP=1\n[YAQ]\nA=1\n")              << "General/N"  << QByteArray("IP=1\nN=5\n[YAQ]\nA=1\n");
    QTest::newRow("file ends inside a quote")      << QByteArray("[YAQ]\nA=\"open\n")                << "YAQ/N"      << QByteArray("[YAQ]\nN=5\nA=\"open\n");
    QTest::newRow("backslash, line end of the other kind") << QByteArray("[YAQ]\rA=1\\\n")       << "YAQ/N"      << QByteArray("[YAQ]\rA=1\\\n\nN=5\r");
    QTest::newRow("backslash, then a new section") << QByteArray("[YAQ]\rA=1\\\n")               << "SRP/N"      << QByteArray("[YAQ]\rA=1\\\n\n\r[SRP]\rN=5\r");
    QTest::newRow("open header on the mark's line") << QByteArray("\xEF\xBB\xBF[ab=\"open")            << "YAQ/N"      << QByteArray("\xEF\xBB\xBF[YAQ]\nN=5\n[ab=\"open");
    QTest::newRow("open key behind a form feed on the mark's line") << QByteArray("\xEF\xBB\xBF\fab=\"o") << "YAQ/N" << QByteArray("[YAQ]\nN=5\n[General]\n\xEF\xBB\xBF\fab=\"o");
    QTest::newRow("open end after the mark's line") << QByteArray("\xEF\xBB\xBF x=1\nA=\"open")        << "General/N"  << QByteArray("\xEF\xBB\xBF x=1\nN=5\nA=\"open");
    QTest::newRow("section name escaped")          << QByteArray("[a%20b]\nN=1\n")                  << "a b/N"      << QByteArray("[a%20b]\nN=5\n");
    // clang-format on
}

void TestPlatform::profileWritesOnlyTheChangedKey()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    TestEnv env;
    const QString path = CProfile(QStringLiteral("YAQStartup")).FileName();
    QVERIFY(writeTextFile(path, before));
    {
        CProfile profile(QStringLiteral("YAQStartup"));
        profile.WriteProfileString(key.section(QLatin1Char('/'), 0, 0),
                                   key.section(QLatin1Char('/'), 1), QStringLiteral("5"));
        QVERIFY(profile.Sync());
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTEST(file.readAll(), "after");
}

// A value written again at once, to a file of the same length, is read back
// new: readers that keep a file while its size and time stay the same do
// not mistake the new file for the old, as the new one is always later,
// also than an old one stamped by a clock ahead of this one.
void TestPlatform::profileRewrittenAtOnceReadsBackNew()
{
    TestEnv env;
    const QString path = CProfile(QStringLiteral("yaq2")).FileName();
    for (int i = 0; i < 100; ++i) {
        {
            CProfile profile(QStringLiteral("yaq2"));
            profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), i % 2);
            QVERIFY(profile.Sync());
        }
        const CProfile read(QStringLiteral("yaq2"));
        QCOMPARE(read.GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), -1), i % 2);
    }
    const QDateTime ahead = QDateTime::currentDateTime().addSecs(60);
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    QVERIFY(file.setFileTime(ahead, QFileDevice::FileModificationTime));
    file.close();
    CProfile profile(QStringLiteral("yaq2"));
    profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 7);
    QVERIFY(profile.Sync());
    QVERIFY(QFileInfo(path).lastModified() > ahead);
}

// The profile's lock is held only by a writer that lives, however long it
// stalls; the file a writer left when it ended locks nothing, whatever its
// age or content, also when it ended at once or while it took over a lock
// (and left the guard of that takeover).
void TestPlatform::profileLockIsHeldOnlyByAWriterThatLives_data()
{
    QTest::addColumn<QString>("holder"); // "ended", "ended empty", "lives", "killed"
    QTest::addColumn<int>("ageSecs");    // the age of the lock file
    QTest::addColumn<bool>("guard");     // an empty ".rmlock" beside it
    QTest::addColumn<bool>("written");
    // clang-format off
    QTest::newRow("left by a program that ended")                      << "ended"       << 0    << false << true;
    QTest::newRow("left empty by a program that ended at once")        << "ended empty" << 0    << false << true;
    QTest::newRow("left empty by a program that ended a while ago")    << "ended empty" << 3    << false << true;
    QTest::newRow("left with the guard of a writer killed taking it")  << "ended empty" << 3    << true  << true;
    QTest::newRow("left an hour ago with the id of a program that runs") << "lives id"  << 3600 << false << true;
    QTest::newRow("held by a writer killed at once")                   << "killed"      << 0    << false << true;
    QTest::newRow("held by a writer that stalls, made just now")       << "lives"       << 0    << false << false;
    QTest::newRow("held by a writer that stalls, made 2 s ago")        << "lives"       << 2    << false << false;
    QTest::newRow("held by a writer that stalls for an hour")          << "lives"       << 3600 << false << false;
    // clang-format on
}

namespace {

// Another writer of the profile, a process of its own: holds the system's
// lock on the lock file until it is killed.
class LockHolder
{
public:
    LockHolder() = default;
    LockHolder(const LockHolder &) = delete;
    LockHolder &operator=(const LockHolder &) = delete;
    ~LockHolder() { kill(); }

    bool take(const QByteArray &path)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return false;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0666);
            const char held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 1 : 0;
            if (::write(ready[1], &held, 1) == 1 && held)
                for (;;)
                    ::pause();
            ::_exit(1);
        }
        ::close(ready[1]);
        char held = 0;
        const bool told = m_pid > 0 && ::read(ready[0], &held, 1) == 1;
        ::close(ready[0]);
        return told && held == 1;
    }
    void kill()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
};

} // namespace

void TestPlatform::profileLockIsHeldOnlyByAWriterThatLives()
{
    QFETCH(QString, holder);
    QFETCH(int, ageSecs);
    QFETCH(bool, guard);
    TestEnv env;
    const QString path = CProfile(QStringLiteral("yaq2")).FileName();
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    const QString lockPath = path + QStringLiteral(".lock");
    LockHolder writer;
    if (holder == QLatin1String("lives") || holder == QLatin1String("killed")) {
        QVERIFY(writer.take(QFile::encodeName(lockPath)));
        if (holder == QLatin1String("killed"))
            writer.kill();
    } else {
        // A lock file as the settings store writes it.
        QByteArray held;
        {
            QLockFile lock(lockPath);
            QVERIFY(lock.tryLock(0));
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            held = file.readAll();
        }
        if (holder == QLatin1String("ended")) {
            QProcess process;
            const YaqTest::ProcessReaper reaper(process);
            process.start(QStringLiteral("true"), {});
            QVERIFY(process.waitForStarted(YaqTest::kHangMs));
            const qint64 pid = process.processId();
            QVERIFY(process.waitForFinished(YaqTest::kHangMs));
            held = QByteArray::number(pid) + held.mid(held.indexOf('\n'));
        }
        if (holder == QLatin1String("ended empty"))
            held.clear();
        QVERIFY(writeTextFile(lockPath, held));
    }
    if (guard)
        QVERIFY(writeTextFile(lockPath + QStringLiteral(".rmlock"), QByteArray()));
    QFile file(lockPath);
    QVERIFY(file.open(QIODevice::Append));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSecs),
                             QFileDevice::FileModificationTime));
    file.close();
    // The write does not wait at all: only a lock that is free at once lets
    // it through, whatever the machine's speed.
    struct NoWait
    {
        const CProfileLockTimes usual = CProfile::LockTimes();
        NoWait() { CProfile::SetLockTimes({0}); }
        ~NoWait() { CProfile::SetLockTimes(usual); }
    } noWait;
    CProfile profile(QStringLiteral("yaq2"));
    profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
    QString failure;
    QTEST(profile.Sync(&failure), "written");
    QFETCH(bool, written);
    if (!written) {
        QVERIFY2(failure.contains(QDir::toNativeSeparators(lockPath)), qPrintable(failure));
        QVERIFY(!QFileInfo::exists(path));
        return;
    }
    QCOMPARE(CProfile(QStringLiteral("yaq2"))
                 .GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), -1),
             1);
}

namespace {

// This thread meets the files' permissions as a user other than root does:
// without the rights to override them (the tests run as root too). The
// rights come back when it ends.
class WithoutOverrideRights
{
public:
    WithoutOverrideRights()
    {
        m_ok = ::syscall(SYS_capget, &m_header, m_held) == 0;
        __user_cap_data_struct less[2] = {m_held[0], m_held[1]};
        constexpr quint32 kOverride =
            (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);
        less[0].effective &= ~kOverride;
        m_ok = m_ok && ::syscall(SYS_capset, &m_header, less) == 0;
    }
    ~WithoutOverrideRights()
    {
        if (m_ok)
            ::syscall(SYS_capset, &m_header, m_held);
    }
    bool ok() const { return m_ok; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_held[2] = {};
    bool m_ok = false;
};

} // namespace

// A lock file the writer may not write, a link in its place or a folder the
// writer may not write in: the write holds the lock, or fails and says why;
// it never goes on without the lock, and makes nothing outside the
// profile's folder.
void TestPlatform::profileWriteHoldsTheLockOrSaysWhy_data()
{
    QTest::addColumn<QString>("lock"); // what stands in the lock file's place
    QTest::addColumn<bool>("held");    // another writer holds its lock
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("said"); // in the failure
    // clang-format off
    QTest::newRow("a lock file the writer may not write")       << "read-only"        << false << true  << "";
    QTest::newRow("a lock file the writer may not write, held") << "read-only"        << true  << false << "schreibt die Datei gerade";
    QTest::newRow("a lock file the writer may not read")        << "unreadable"       << false << false << "darf dieser Benutzer nicht lesen";
    QTest::newRow("a link to a file the writer may not write")  << "link"             << false << false << "symbolischer Verweis";
    QTest::newRow("a link to a file the writer may write")      << "writable link"    << false << false << "symbolischer Verweis";
    QTest::newRow("a link to no file")                          << "dangling link"    << false << false << "symbolischer Verweis";
    QTest::newRow("a pipe")                                     << "pipe"             << false << false << "keine gewöhnliche Datei";
    QTest::newRow("a socket")                                   << "socket"           << false << false << "keine gewöhnliche Datei";
    QTest::newRow("a read-only profile folder")                 << "read-only folder" << false << false << "schreibgeschützt";
    // clang-format on
}

void TestPlatform::profileWriteHoldsTheLockOrSaysWhy()
{
    QFETCH(QString, lock);
    QFETCH(bool, held);
    QFETCH(bool, written);
    QFETCH(QString, said);
    TestEnv env;
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
    const QString path = CProfile(QStringLiteral("yaq2")).FileName();
    const QString folder = QFileInfo(path).path();
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeTextFile(path, "[YAQ]\nSound=0\n"));
    const QString lockPath = path + QStringLiteral(".lock");
    const QByteArray lockName = QFile::encodeName(lockPath);
    QTemporaryDir outside;
    const QString target = outside.filePath(QStringLiteral("other"));
    LockHolder other;
    if (lock == QLatin1String("read-only") || lock == QLatin1String("unreadable")) {
        QVERIFY(writeTextFile(lockPath, QByteArray()));
        if (held)
            QVERIFY(other.take(lockName));
        QVERIFY(::chmod(lockName.constData(), lock == QLatin1String("read-only") ? 0444 : 0) == 0);
    } else if (lock.endsWith(QLatin1String("link"))) {
        if (lock != QLatin1String("dangling link")) {
            QVERIFY(writeTextFile(target, "kept\n"));
            QVERIFY(::chmod(QFile::encodeName(target).constData(),
                            lock == QLatin1String("link") ? 0444 : 0644) == 0);
        }
        QVERIFY(QFile::link(target, lockPath));
    } else if (lock == QLatin1String("pipe")) {
        QVERIFY(::mkfifo(lockName.constData(), 0644) == 0);
    }
    const int listening = lock == QLatin1String("socket") ? ::socket(AF_UNIX, SOCK_STREAM, 0) : -1;
    const auto closeSocket = qScopeGuard([listening] {
        if (listening >= 0)
            ::close(listening);
    });
    if (lock == QLatin1String("socket")) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(lockName.size()) < sizeof(address.sun_path));
        std::memcpy(address.sun_path, lockName.constData(), size_t(lockName.size()));
        QCOMPARE(::bind(listening, reinterpret_cast<const sockaddr *>(&address), sizeof(address)),
                 0);
    }
    struct NoWait
    {
        const CProfileLockTimes usual = CProfile::LockTimes();
        NoWait() { CProfile::SetLockTimes({0}); }
        ~NoWait() { CProfile::SetLockTimes(usual); }
    } noWait;
    CProfile profile(QStringLiteral("yaq2"));
    profile.WriteProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), 1);
    QString failure;
    bool synced = false;
    {
        const QFile::Permissions folderRights = QFileInfo(folder).permissions();
        if (lock == QLatin1String("read-only folder"))
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        WithoutOverrideRights asUser;
        QVERIFY(asUser.ok());
        synced = profile.Sync(&failure);
        QVERIFY(QFile::setPermissions(folder, folderRights));
    }
    QCOMPARE(synced, written);
    QVERIFY2(failure.contains(said), qPrintable(failure));
    QCOMPARE(CProfile(QStringLiteral("yaq2"))
                 .GetProfileInt(QStringLiteral("YAQ"), QStringLiteral("Sound"), -1),
             written ? 1 : 0);
    // Nothing made or changed outside the profile's folder.
    QCOMPARE(QDir(outside.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(),
             lock.endsWith(QLatin1String("link")) && lock != QLatin1String("dangling link") ? 1
                                                                                            : 0);
    if (QFileInfo::exists(target))
        QCOMPARE(readTextFile(target), QStringLiteral("kept\n"));
}

void TestPlatform::storedRectangles_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QRect>("rect");
    // clang-format off
    QTest::newRow("window rectangle")            << "5,6,105,56"                  << true  << QRect(5, 6, 100, 50);
    QTest::newRow("all zero is no rectangle")    << "0,0,0,0"                     << true  << QRect();
    QTest::newRow("negative position")           << "-1920,0,-920,600"            << true  << QRect(-1920, 0, 1000, 600);
    QTest::newRow("three numbers")               << "1,2,3"                       << false << QRect();
    QTest::newRow("width beyond the int range")  << "-2000000000,0,2000000000,10" << false << QRect();
    QTest::newRow("height beyond the int range") << "0,2147483647,10,-2147483648" << false << QRect();
    QTest::newRow("edge at the lowest int")      << "-2147483648,0,-2147483648,0" << false << QRect();
    // clang-format on
}

void TestPlatform::storedRectangles()
{
    QFETCH(QString, text);
    QRect rect;
    QTEST(RectFromProfileText(text, &rect), "ok");
    QTEST(rect, "rect");
    // Whatever was read can be checked against the screens.
    ValidateWndRect(&rect);
}

// The platform of a caller mode: X11 where a display is reachable,
// whatever the desktop session asks for; without one, offscreen for a run
// without a window, Wayland for one with a window where a Wayland display
// is reachable, else an end at once; a platform without a display that the
// starter named stays, any other name counts as a desktop platform. No
// name, however written, and no missing plugin leaves Qt to abort.
void TestPlatform::callerModeTakesX11WhereItCan_data()
{
    QTest::addColumn<QByteArray>("requested"); // QT_QPA_PLATFORM or -platform
    QTest::addColumn<bool>("x");               // an X display is reachable
    QTest::addColumn<bool>("wayland");         // a Wayland display is
    QTest::addColumn<bool>("windowless");      // the mode shows no window
    QTest::addColumn<QString>("missing");      // platforms not installed
    // The platform handed to Qt ("named": the starter's kept), or the end.
    QTest::addColumn<QString>("outcome");
    // clang-format off
    QTest::newRow("none asked, X11 reachable")          << QByteArray()                       << true  << false << true  << "" << "xcb";
    QTest::newRow("none asked, no display")             << QByteArray()                       << false << false << true  << "" << "offscreen";
    QTest::newRow("Wayland session, XWayland")          << QByteArray("wayland")              << true  << true  << true  << "" << "xcb";
    QTest::newRow("session list with its options")      << QByteArray("wayland-egl;xcb:x")    << true  << true  << true  << "" << "xcb";
    QTest::newRow("X11 asked, no display")              << QByteArray("xcb")                  << false << false << true  << "" << "offscreen";
    QTest::newRow("offscreen named, X11 reachable")     << QByteArray("offscreen")            << true  << false << true  << "" << "offscreen named";
    QTest::newRow("platforms without display, options") << QByteArray("vnc:size=8x8;minimal") << true  << false << true  << "" << "vnc:size=8x8;minimal named";
    QTest::newRow("unknown name, no display")           << QByteArray("nonsense")             << false << false << true  << "" << "offscreen";
    QTest::newRow("unknown name, X11 reachable")        << QByteArray("nonsense")             << true  << false << true  << "" << "xcb";
    QTest::newRow("GPU platform, no display")           << QByteArray("eglfs")                << false << false << true  << "" << "offscreen";
    QTest::newRow("EGL beside offscreen, no display")   << QByteArray("minimalegl;offscreen") << false << false << true  << "" << "offscreen";
    QTest::newRow("package request, Wayland only")      << QByteArray("wayland")              << false << true  << true  << "" << "offscreen";
    QTest::newRow("blank before offscreen")             << QByteArray(" offscreen")           << false << false << true  << "" << "offscreen named";
    QTest::newRow("blank after offscreen, X11")         << QByteArray("offscreen ")           << true  << false << true  << "" << "offscreen named";
    QTest::newRow("blanks in a list and its options")   << QByteArray(" vnc : size=8x8 ; minimal") << true << false << true << "" << "vnc:size=8x8;minimal named";
    QTest::newRow("capitals, as Qt reads them")         << QByteArray("Offscreen")            << true  << false << true  << "" << "offscreen named";
    QTest::newRow("vnc not installed, X11 reachable")   << QByteArray("vnc")                  << true  << false << true  << "vnc" << "xcb";
    QTest::newRow("of a list, the installed kept")      << QByteArray("vnc;minimal")          << false << false << true  << "vnc" << "minimal named";
    QTest::newRow("window, Wayland session, XWayland")  << QByteArray("wayland")              << true  << true  << false << "" << "xcb";
    QTest::newRow("window, offscreen named")            << QByteArray("offscreen")            << true  << false << false << "" << "ends: offscreen shows none";
    QTest::newRow("window, blank before offscreen")     << QByteArray(" offscreen")           << false << true  << false << "" << "ends: offscreen shows none";
    QTest::newRow("window, minimal named")              << QByteArray("minimal")              << false << true  << false << "" << "ends: minimal shows none";
    QTest::newRow("window, blank before vnc")           << QByteArray(" vnc")                 << false << false << false << "" << "vnc named";
    QTest::newRow("window, no display")                 << QByteArray()                       << false << false << false << "" << "ends: no display";
    QTest::newRow("window, GPU platform, no display")   << QByteArray("eglfs")                << false << false << false << "" << "ends: no display";
    QTest::newRow("window, Wayland only, none named")   << QByteArray()                       << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, wayland")      << QByteArray("wayland")              << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, xcb")          << QByteArray("xcb")                  << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, mistyped")     << QByteArray("wyaland")              << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, eglfs")        << QByteArray("eglfs")                << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, minimalegl")   << QByteArray("minimalegl")           << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, linuxfb")      << QByteArray("linuxfb")              << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, X11 list")     << QByteArray("xcb;offscreen")        << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, blank xcb")    << QByteArray(" xcb ")                << false << true  << false << "" << "wayland";
    QTest::newRow("window, Wayland only, wayland-egl")  << QByteArray(" wayland-egl")         << false << true  << false << "" << "wayland-egl";
    QTest::newRow("window, Wayland only, EGL missing")  << QByteArray("wayland-egl")          << false << true  << false << "wayland-egl" << "wayland, wayland-egl missing";
    QTest::newRow("window, Wayland only, vnc")          << QByteArray("vnc")                  << false << true  << false << "" << "vnc named";
    QTest::newRow("window, vnc missing, Wayland only")  << QByteArray("vnc")                  << false << true  << false << "vnc" << "wayland";
    QTest::newRow("window, Wayland plugin missing")     << QByteArray("xcb")                  << false << true  << false << "wayland" << "ends: wayland missing";
    QTest::newRow("window, no plugin for any display")  << QByteArray()                       << true  << true  << false << "xcb,wayland" << "ends: xcb missing";
    QTest::newRow("window, X11 plugin missing")         << QByteArray()                       << true  << true  << false << "xcb" << "wayland, xcb missing";
    QTest::newRow("package request, X11 plugin missing") << QByteArray()                      << true  << false << true  << "xcb" << "offscreen, xcb missing";
    QTest::newRow("settings mode, X11 named, missing")  << QByteArray("xcb")                  << true  << false << true  << "xcb" << "offscreen, xcb missing";
    QTest::newRow("settings mode, no plugin at all")    << QByteArray()                       << true  << false << true  << "xcb,offscreen" << "ends: xcb missing";
    QTest::newRow("package request, offscreen missing") << QByteArray()                       << false << false << true  << "offscreen" << "ends: offscreen missing";
    QTest::newRow("window, only X11, plugin missing")   << QByteArray()                       << true  << false << false << "xcb" << "ends: xcb missing";
    // clang-format on
}

void TestPlatform::callerModeTakesX11WhereItCan()
{
    QFETCH(QByteArray, requested);
    QFETCH(bool, x);
    QFETCH(bool, wayland);
    QFETCH(bool, windowless);
    QFETCH(QString, missing);
    const QStringList notInstalled = missing.split(QLatin1Char(','), Qt::SkipEmptyParts);
    const CCallerModePlatform choice =
        ChooseCallerModePlatform(requested, x, wayland, windowless, [&](const QByteArray &name) {
            return !notInstalled.contains(QString::fromLatin1(name));
        });
    QString outcome;
    switch (choice.window) {
    case CallerWindow::Shown:
        outcome = QString::fromLatin1(choice.platform) +
                  (choice.named ? QStringLiteral(" named") : QString());
        if (!choice.missing.isEmpty())
            outcome += QStringLiteral(", %1 missing").arg(QString::fromLatin1(choice.missing));
        break;
    case CallerWindow::NoDisplay:
        outcome = QStringLiteral("ends: no display");
        break;
    case CallerWindow::PlatformShowsNone:
        outcome = QStringLiteral("ends: %1 shows none").arg(QString::fromLatin1(choice.name));
        break;
    case CallerWindow::PlatformMissing:
        outcome = QStringLiteral("ends: %1 missing").arg(QString::fromLatin1(choice.missing));
        break;
    }
    QTEST(outcome, "outcome");
}

// Qt finds a platform by the name its plugin declares.
void TestPlatform::platformPluginsFound_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("installed");
    // clang-format off
    QTest::newRow("Qt's own offscreen")  << QByteArray("offscreen")         << true;
    QTest::newRow("in capitals")         << QByteArray("OFFSCREEN")         << true;
    QTest::newRow("a file name is none") << QByteArray("libqoffscreen.so") << false;
    QTest::newRow("no such platform")    << QByteArray("nonsense")          << false;
    // clang-format on
}

void TestPlatform::platformPluginsFound()
{
    QFETCH(QByteArray, name);
    QTEST(PlatformPluginInstalled(name), "installed");
}

// On a Wayland desktop without X the window of a caller mode opens,
// whatever desktop platform the starter names: the program itself, under a
// compositor without a screen of its own. The program's Wayland requests
// tell when its window is shown: a surface made a window, then its first
// picture.
void TestPlatform::windowOnWaylandWithoutX_data()
{
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM
    // clang-format off
    QTest::newRow("X11 named")     << "xcb";
    QTest::newRow("GPU platform")  << "eglfs";
    // clang-format on
}

void TestPlatform::windowOnWaylandWithoutX()
{
    QFETCH(QString, platform);
    const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
    QVERIFY2(!weston.isEmpty(), "weston (scripts/install-deps.sh)");
    TestEnv env;
    const QString runtime = env.path() + QStringLiteral("/run");
    QVERIFY(QDir().mkpath(runtime));
    QVERIFY(QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-yaq"));

    QProcess compositor;
    compositor.setProcessEnvironment(environment);
    compositor.setStandardOutputFile(QProcess::nullDevice());
    compositor.setStandardErrorFile(QProcess::nullDevice());
    const YaqTest::ProcessReaper compositorReaper(compositor);
    compositor.start(weston, {"--backend=headless-backend.so", "--socket=wayland-yaq",
                              "--idle-time=0", "--no-config"});
    QVERIFY(compositor.waitForStarted(YaqTest::kHangMs));
    const QString socket = runtime + QStringLiteral("/wayland-yaq");
    YAQ_TRY_VERIFY([&] {
        QLocalSocket probe;
        probe.connectToServer(socket);
        return probe.waitForConnected(1000) || compositor.state() == QProcess::NotRunning;
    }());
    QCOMPARE(compositor.state(), QProcess::Running);

    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), env.path() + QStringLiteral("/profile"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), env.path() + QStringLiteral("/appdata"));
    environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    QProcess program;
    program.setProcessEnvironment(environment);
    const YaqTest::ProcessReaper programReaper(program);
    program.start(QStringLiteral(YAQ_PROGRAM), {"XVQ1F23A57M012345", "-m", "qvl"});
    QByteArray requests;
    const auto shown = [&requests] {
        const qsizetype window = requests.indexOf(".get_toplevel(");
        return window >= 0 &&
               QRegularExpression(QStringLiteral("wl_surface@\\d+\\.attach\\(wl_buffer@"))
                   .match(QString::fromLatin1(requests.mid(window)))
                   .hasMatch();
    };
    YAQ_TRY_VERIFY((requests += program.readAllStandardError(),
                    shown() || program.state() == QProcess::NotRunning));
    QVERIFY2(shown(), requests.right(2000).constData());
    program.terminate();
    QVERIFY(program.waitForFinished(YaqTest::kHangMs));
    compositor.terminate();
    QVERIFY(compositor.waitForFinished(YaqTest::kHangMs));
}

// Outside X11 (here: offscreen) the caller is told that its answer is
// lost whenever the program put one, whatever the clipboard shows at the
// end. Each row has a format of its own: what the program put stays noted.
void TestPlatform::answerOutsideX11NeverKept_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("noted");      // the program put its answer
    QTest::addColumn<bool>("shownAtEnd"); // the clipboard shows it at the end
    QTest::addColumn<int>("handOver");    // ClipboardHandOver
    // clang-format off
    QTest::newRow("answer put and shown")            << "x-yaq-answer-shown"  << true  << true  << int(ClipboardHandOver::NotKept);
    QTest::newRow("answer put, not shown (yet)")     << "x-yaq-answer-hidden" << true  << false << int(ClipboardHandOver::NotKept);
    QTest::newRow("content of the format, no answer") << "x-yaq-no-answer"    << false << true  << int(ClipboardHandOver::NotNeeded);
    // clang-format on
}

void TestPlatform::answerOutsideX11NeverKept()
{
    QFETCH(QString, format);
    QFETCH(bool, noted);
    QFETCH(bool, shownAtEnd);
    QClipboard *clipboard = QGuiApplication::clipboard();
    auto *mime = new QMimeData;
    mime->setData(format, "answer");
    clipboard->setMimeData(mime);
    if (noted)
        NoteClipboardAnswer(format);
    if (!shownAtEnd)
        clipboard->clear();
    QTEST(int(HandClipboardToHolder(format, 0)), "handOver");
    clipboard->clear();
}

// The platform argument as Qt reads it, taken out of the program's own.
void TestPlatform::platformArgumentTakenOut_data()
{
    QTest::addColumn<QStringList>("args"); // after the program name
    QTest::addColumn<QStringList>("rest");
    QTest::addColumn<bool>("given");
    QTest::addColumn<QByteArray>("platform");
    // clang-format off
    QTest::newRow("between the switches")  << QStringList{"-m", "qvlsettings", "-platform", "xcb", "-s", "Sound"} << QStringList{"-m", "qvlsettings", "-s", "Sound"} << true  << QByteArray("xcb");
    QTest::newRow("two dashes, last wins") << QStringList{"--platform", "xcb", "M012345", "-platform", "wayland"}   << QStringList{"M012345"}                           << true  << QByteArray("wayland");
    QTest::newRow("last without a value")  << QStringList{"-m", "qvl", "-platform"}                              << QStringList{"-m", "qvl"}                         << false << QByteArray();
    QTest::newRow("none")                  << QStringList{"-w", "/platform"}                                     << QStringList{"-w", "/platform"}                   << false << QByteArray();
    // clang-format on
}

void TestPlatform::platformArgumentTakenOut()
{
    QFETCH(QStringList, args);
    std::vector<QByteArray> bytes{QByteArray("yaq2")};
    for (const QString &arg : args)
        bytes.push_back(arg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &arg : bytes)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    int argc = int(bytes.size());
    QByteArray platform;
    QTEST(TakePlatformArgument(&argc, argv.data(), &platform), "given");
    QTEST(platform, "platform");
    QStringList rest;
    for (int i = 1; i < argc; ++i)
        rest << QString::fromLocal8Bit(argv[size_t(i)]);
    QTEST(rest, "rest");
    QCOMPARE(argv[size_t(argc)], nullptr);
}

void TestPlatform::heldReturnPressesOnce_data()
{
    // Row: the keys as they come, each "p" (press) or "r" (release), then
    // "R" for Return, "E" for the pad's Enter, "D" for the arrow down, then
    // "@" and its time, "*" when Qt marks it as repeated; the presses that
    // get through ("x" dropped, "o" passed).
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("presses");
    // clang-format off
    QTest::newRow("a press marked repeated")               << "pR@10 pR@30* pR@50* rR@70"         << "oxx";
    QTest::newRow("X11: release and press of one moment")  << "pR@10 rR@50 pR@50 rR@90 pR@90"    << "oxx";
    QTest::newRow("pressed again later")                   << "pR@10 rR@50 pR@80"                 << "oo";
    QTest::newRow("pad Enter held")                        << "pE@10 rE@50 pE@50*"                << "ox";
    QTest::newRow("Return after Enter of that moment")     << "pE@10 rE@50 pR@50"                 << "oo";
    QTest::newRow("a held arrow key repeats")              << "pD@10 rD@50* pD@50* rD@90 pD@90"  << "ooo";
    QTest::newRow("keys the program makes have no time")   << "pR@0 rR@0 pR@0"                    << "oo";
    // clang-format on
}

void TestPlatform::heldReturnPressesOnce()
{
    QFETCH(QString, keys);
    CHeldReturnFilter filter;
    QObject receiver;
    receiver.installEventFilter(&filter);
    QString presses;
    for (const QString &token : keys.split(QLatin1Char(' '))) {
        const bool press = token.at(0) == QLatin1Char('p');
        const QChar name = token.at(1);
        const int key = name == QLatin1Char('R')   ? Qt::Key_Return
                        : name == QLatin1Char('E') ? Qt::Key_Enter
                                                   : Qt::Key_Down;
        const bool repeated = token.endsWith(QLatin1Char('*'));
        QString time = token.mid(3);
        time.remove(QLatin1Char('*'));
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                        QString(), repeated);
        event.setTimestamp(time.toULongLong());
        const bool dropped = QCoreApplication::sendEvent(&receiver, &event);
        if (press)
            presses += dropped ? QLatin1Char('x') : QLatin1Char('o');
    }
    QTEST(presses, "presses");
}

YAQ_TEST_MAIN(TestPlatform)
// The print demo needs a display, also for its PDF: where none can be
// reached, whatever platform is named, it ends with status 1 and says why
// in German, never with Qt's abort.
void TestPlatform::printDemoWithoutADisplay_data()
{
    QTest::addColumn<QString>("display");  // DISPLAY
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM, empty: not set
    // clang-format off
    QTest::newRow("X11 named, no DISPLAY")           << ""       << "xcb";
    QTest::newRow("X11 named, DISPLAY of no server") << ":65000" << "xcb";
    QTest::newRow("DISPLAY of no server")            << ":65000" << "";
    QTest::newRow("Wayland named, no display")       << ""       << "wayland";
    // clang-format on
}

void TestPlatform::printDemoWithoutADisplay()
{
    QFETCH(QString, display);
    QFETCH(QString, platform);
    TestEnv env;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), env.path() + QStringLiteral("/profile"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), env.path() + QStringLiteral("/appdata"));
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), env.path() + QStringLiteral("/none"));
    if (platform.isEmpty())
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    else
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess demo;
    demo.setProcessEnvironment(environment);
    const YaqTest::ProcessReaper reaper(demo);
    demo.start(QStringLiteral(YAQ_PRINTDEMO), {QStringLiteral("--pdf")});
    QVERIFY(demo.waitForFinished(YaqTest::kHangMs));
    const QString errors = QString::fromUtf8(demo.readAllStandardError());
    QCOMPARE(demo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(demo.exitCode(), 1);
    QVERIFY2(
        errors.contains(QStringLiteral("yaq2-printdemo braucht eine Anzeige")) &&
            errors.contains(
                QStringLiteral("Es ist keine Anzeige erreichbar (DISPLAY \"%1\"").arg(display)),
        qPrintable(errors));
    QVERIFY(!QFileInfo::exists(env.path() + QStringLiteral("/appdata/YAQ2/YAQ2.pdf")));
}

#include "tst_platform.moc"
