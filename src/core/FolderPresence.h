#pragma once

#include <QString>

// Every run of the program on a program folder holds a shared lock on the
// folder for as long as it runs, so that work replacing the folder's files
// (encrypting them, changing their password) can tell whether another run,
// in another window or by another user of the computer, has them open.
namespace FolderPresence
{

// Takes this run's shared lock on the folder (once per run; a later call for
// another folder moves it there).
void enter(const QString& programFolder);

// The folder to this run alone while the object lives, when no other run
// holds it; `granted()` says whether it was.
class Alone
{
public:
    explicit Alone(const QString& programFolder);
    ~Alone();
    Alone(const Alone&) = delete;
    Alone& operator=(const Alone&) = delete;

    bool granted() const { return m_granted; }

private:
    int m_descriptor = -1;
    bool m_ownDescriptor = false;
    bool m_granted = false;
};

// What the user reads when another run holds the folder.
QString otherRunMessage();

} // namespace FolderPresence
