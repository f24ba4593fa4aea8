#pragma once

#include <QFileDialog>

class QLabel;
class QPushButton;

// The folder picker of the backups: folders only, the folder under
// selection shown shortened in a status line ("Folderul ales:"), and a
// "Director nou" button that asks a name and creates that folder inside the
// selected one.
class TBrowseFolder : public QFileDialog
{
    Q_OBJECT
public:
    TBrowseFolder(const QString& title, const QString& directory, QWidget* parent = nullptr);

    // Shows the picker; on OK `directory()` is the chosen folder.
    bool execute();
    QString chosenDirectory() const { return m_directory; }
    // The folder the user has under selection; empty when none.
    QString selectedFolder() const { return m_selected; }
    void selectFolder(const QString& folder);
    QPushButton* newDirectoryButton() const { return m_newDirectory; }

    // The new-folder handler of the "Director nou" button.
    void createNewFolder();

private:
    QString m_directory;
    QString m_selected;
    QLabel* m_status;
    QPushButton* m_newDirectory;
};

// A path longer than `limit` characters shortened for the status line: the
// second element becomes "...", then the elements after it are dropped while
// the path is still too long and has more than three elements.
QString ShortenPath(const QString& path, int limit = 35);
