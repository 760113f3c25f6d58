#include "common/DlgButtonRow.h"

#include "common/OwnSound.h"
#include "platform/OrmelText.h"

#include <QBoxLayout>
#include <QDialog>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

void AddOkCancelHelpRow(QDialog *dlg, QBoxLayout *layout, CPrgSettings *settings, bool okOnReturn,
                        std::function<void()> help)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *ok = new QPushButton(OrmelText(2016), dlg);
    ok->setObjectName(QStringLiteral("ok"));
    auto *cancel = new QPushButton(OrmelText(2025), dlg);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto *helpButton = new QPushButton(QStringLiteral("?"), dlg);
    helpButton->setObjectName(QStringLiteral("help"));
    for (QPushButton *b : {ok, cancel, helpButton}) {
        b->setAutoDefault(okOnReturn);
        buttons->addWidget(b);
    }
    ok->setDefault(okOnReturn);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, dlg, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dlg, [dlg, settings] {
        PlaySoundSelected(settings);
        dlg->reject();
    });
    QObject::connect(helpButton, &QPushButton::clicked, dlg, help);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), dlg);
    QObject::connect(f1, &QShortcut::activated, dlg, help);
}
