#include "setup/SetupDruckDlg.h"

#include "common/DlgButtonRow.h"
#include "common/OwnSound.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"
#include "setup/PrintDefaults.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// The default texts of the captions, shown while a caption is empty.
int placeholderText(const QString &key)
{
    static const struct
    {
        const char *key;
        int text;
    } kDefaults[] = {{"FirmaT", 3170},
                     {"StrasseT", 6027},
                     {"CityT", 6028},
                     {"AngebotenDurch", 6037},
                     {"TitelAngebotDruck", 6018},
                     {"Nummer", 6043},
                     {"Netto", 6038},
                     {"MwSt", 6039},
                     {"Brutto", 6040},
                     {"AGB", 6048},
                     {"AGB2", 6048}};
    for (const auto &d : kDefaults)
        if (key == QLatin1String(d.key))
            return d.text;
    return 0;
}

} // namespace

CSetupDruckDlg::CSetupDruckDlg(CPrgSettings *settings, QWidget *parent)
    : QDialog(parent), m_pSettings(settings)
{
    setObjectName(QStringLiteral("SetupDruckDlg"));
    setWindowTitle(OrmelText(6059));
    int count = 0;
    const CPrintDefaultField *fields = PrintDefaultFields(&count);
    for (int i = 0; i < count; ++i) {
        const QString key = QString::fromLatin1(fields[i].key);
        const QString text = settings->*fields[i].field;
        QWidget *edit = nullptr;
        if (fields[i].multiLine) {
            auto *lines = new QPlainTextEdit(text, this);
            lines->setTabChangesFocus(true);
            lines->setFixedHeight(lines->fontMetrics().lineSpacing() * 4 + 12);
            if (const int id = placeholderText(key))
                lines->setPlaceholderText(OrmelText(id));
            edit = lines;
        } else {
            auto *line = new QLineEdit(text, this);
            if (const int id = placeholderText(key))
                line->setPlaceholderText(OrmelText(id));
            edit = line;
        }
        edit->setObjectName(key);
        m_edits << edit;
    }
    auto edit = [this](const char *key) {
        return findChild<QWidget *>(QString::fromLatin1(key), Qt::FindDirectChildrenOnly);
    };

    // Laid out as the texts stand on the offer: each caption left of its
    // value, the title and number, the price captions, then the terms.
    auto *layout = new QVBoxLayout(this);
    auto *letterhead = new QGridLayout;
    const char *const rows[][2] = {
        {"FirmaT", "Firma"}, {"StrasseT", "Strasse"}, {"CityT", "City"}, {"City2T", "City2"}};
    int row = 0;
    for (const auto &r : rows) {
        letterhead->addWidget(edit(r[0]), row, 0);
        letterhead->addWidget(edit(r[1]), row++, 1);
    }
    letterhead->addWidget(new QLabel(OrmelText(6029), this), row, 0);
    letterhead->addWidget(edit("Tel1"), row++, 1);
    letterhead->addWidget(new QLabel(OrmelText(6030), this), row, 0);
    letterhead->addWidget(edit("Fax"), row++, 1);
    letterhead->addWidget(edit("AngebotenDurch"), row++, 0);
    letterhead->setColumnStretch(0, 1);
    letterhead->setColumnStretch(1, 2);
    layout->addLayout(letterhead);

    auto *title = new QHBoxLayout;
    title->addWidget(edit("TitelAngebotDruck"), 2);
    title->addWidget(edit("Nummer"), 1);
    layout->addLayout(title);
    auto *prices = new QHBoxLayout;
    for (const char *key : {"Netto", "MwSt", "Brutto"})
        prices->addWidget(edit(key));
    layout->addLayout(prices);
    layout->addWidget(edit("AGB"));
    layout->addWidget(edit("AGB2"));

    AddOkCancelHelpRow(this, layout, m_pSettings, true, [this] { OnHelp(); });
    resize(560, sizeHint().height());
}

CSetupDruckDlg::~CSetupDruckDlg() = default;

void CSetupDruckDlg::OnHelp()
{
    PlaySoundSelected(m_pSettings);
    if (m_help)
        m_help(kHelpContext);
}

void CSetupDruckDlg::accept()
{
    PlaySoundSelected(m_pSettings);
    QStringList texts;
    for (QWidget *edit : m_edits) {
        if (auto *line = qobject_cast<QLineEdit *>(edit))
            texts << line->text();
        else
            texts << static_cast<QPlainTextEdit *>(edit)->toPlainText();
    }
    // A dealer file that cannot be written keeps the dialog open with the
    // edits, and the settings as they were.
    QString failure;
    if (!StorePrintDefaults(*m_pSettings, texts, &failure)) {
        OwnMsgBox(failure.isEmpty() ? OrmelText(6051)
                                    : OrmelText(6051) + QLatin1Char('\n') + failure,
                  this);
        return;
    }
    QDialog::accept();
}
