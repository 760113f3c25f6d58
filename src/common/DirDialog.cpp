#include "common/DirDialog.h"

#include "platform/StringUtil.h"

#include <QFileDialog>
#include <QFileInfo>

CDirDialog::CDirDialog() = default;
CDirDialog::~CDirDialog() = default;

QString CDirDialog::InitialFolder(const QString &folder)
{
    QString path = WithoutTrailingBlanks(folder);
    if (path.size() > 1 && (path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/'))) &&
        !path.endsWith(QLatin1String(":\\")) && !path.endsWith(QLatin1String(":/")))
        path.chop(1);
    return path;
}

bool CDirDialog::DoBrowse(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("dirDialog"));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    const QString initial = InitialFolder(m_strInitDir);
    if (!initial.isEmpty())
        dialog.setDirectory(initial);
    if (!m_strWindowTitle.isEmpty())
        dialog.setWindowTitle(m_strWindowTitle);
    else if (!m_strTitle.isEmpty())
        dialog.setWindowTitle(m_strTitle);
    if (!m_strTitle.isEmpty())
        dialog.setLabelText(QFileDialog::LookIn, m_strTitle);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    m_strPath = dialog.selectedFiles().first();
    return QFileInfo(m_strPath).isDir();
}
