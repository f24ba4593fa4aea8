#include "widgets/BrowseFolder.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "core/Utilities.h"
#include "widgets/FormRows.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

QString ShortenPath(const QString& path, int limit)
{
    if (path.size() <= limit)
        return path;
    QStringList parts = path.split(pathSeparator());
    if (parts.size() < 3)
        return path;
    parts[1] = QStringLiteral("...");
    while (parts.join(pathSeparator()).size() > limit && parts.size() > 3)
        parts.removeAt(2);
    return parts.join(pathSeparator());
}

TBrowseFolder::TBrowseFolder(const QString& title, const QString& directory, QWidget* parent)
    : QFileDialog(parent)
{
    setWindowTitle(title);
    setObjectName(QStringLiteral("TBrowseFolder"));
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setLabelText(QFileDialog::LookIn, QStringLiteral("Cauta in:"));
    setLabelText(QFileDialog::FileName, QStringLiteral("Folder:"));
    setLabelText(QFileDialog::FileType, QStringLiteral("Tip:"));
    setLabelText(QFileDialog::Accept, QStringLiteral("OK"));
    setLabelText(QFileDialog::Reject, QStringLiteral("Renunta"));

    QString start = directory;
    if (start.size() > 1 && start.endsWith(pathSeparator()))
        start.chop(1);
    m_directory = start;
    if (QFileInfo(start).isDir()) {
        setDirectory(start);
        m_selected = start;
    }

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    auto* statusCaption = new QLabel(QStringLiteral("Folderul ales:"), this);
    statusCaption->setBuddy(m_status);
    m_status->setAccessibleName(QStringLiteral("Folderul ales, valoarea"));
    m_newDirectory = new QPushButton(QStringLiteral("Director &nou"), this);
    m_newDirectory->setObjectName(QStringLiteral("NewDirectory"));
    m_newDirectory->setFixedWidth(100);
    m_newDirectory->setAutoDefault(false);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(statusCaption, row, 0);
        grid->addWidget(m_status, row, 1, 1, std::max(1, grid->columnCount() - 1));
        grid->addWidget(m_newDirectory, row + 1, 0);
    }
    connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) { selectFolder(path); });
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& path) { selectFolder(path); });
    connect(m_newDirectory, &QPushButton::clicked, this,
            [this] { runGuarded([this] { createNewFolder(); }); });
    showValue(m_status, ShortenPath(QDir::toNativeSeparators(m_selected)));
}

void TBrowseFolder::selectFolder(const QString& folder)
{
    m_selected = folder;
    showValue(m_status, ShortenPath(QDir::toNativeSeparators(folder)));
}

bool TBrowseFolder::execute()
{
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return false;
    m_directory = selectedFiles().constFirst();
    return true;
}

void TBrowseFolder::createNewFolder()
{
    const std::optional<QString> name = dialogs().inputText(
        QStringLiteral("Director nou"), QStringLiteral("Dati numele directorului:"), QString());
    if (!name || m_selected.isEmpty())
        return;
    if (name->trimmed().isEmpty()) { // would select the folder itself, or make one named by blanks
        dialogs().warning(QStringLiteral("Dati un nume pentru directorul nou."));
        return;
    }
    const QString folder = WithBackslash(m_selected) + *name;
    ForceFolder(folder);
    if (!QFileInfo(folder).isDir())
        throw IoError(
            QStringLiteral("Directorul %1 nu poate fi creat").arg(QDir::toNativeSeparators(folder)));
    setDirectory(folder);
    selectFolder(folder);
}
