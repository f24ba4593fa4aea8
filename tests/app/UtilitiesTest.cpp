#include "core/Utilities.h"
#include "core/DbErrorText.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

TEST(Utilities, LastPos)
{
    const struct {
        const char* pattern;
        const char* text;
        int position;
    } cases[] = {
        {"\\", "D:\\A\\B", 5}, {"\\", "fara", 0}, {"abcdef", "abc", 0}, {"ab", "abab", 3},
        {"A", "a", 0},         {"", "abc", 0},    {"x", "x", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LastPos(QString::fromLatin1(c.pattern), QString::fromLatin1(c.text)), c.position) << c.text;
}

TEST(Utilities, WithBackslashAddsExactlyOneSeparator)
{
    const QString s = QString(pathSeparator());
    EXPECT_EQ(WithBackslash(QStringLiteral("/x/Parohie")), QStringLiteral("/x/Parohie") + s);
    EXPECT_EQ(WithBackslash(QStringLiteral("/x/Parohie") + s), QStringLiteral("/x/Parohie") + s);
    EXPECT_EQ(WithBackslash(QString()), s);
}

TEST(Utilities, ForceFolderCreatesEveryMissingParent)
{
    QTemporaryDir dir;
    const QString deep = dir.path() + QStringLiteral("/S/T/P");
    ForceFolder(deep);
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/S")).isDir());
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/S/T")).isDir());
    EXPECT_TRUE(QFileInfo(deep).isDir());
    ForceFolder(deep); // an existing folder is left alone
    EXPECT_TRUE(QFileInfo(deep).isDir());
}

TEST(Utilities, CopyFileChecked)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("sursa.jpg"));
    const QString target = dir.filePath(QStringLiteral("poza.jpg"));
    QByteArray bytes(200000, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7);
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        QFile t(target);
        ASSERT_TRUE(t.open(QIODevice::WriteOnly));
        t.write("vechi si mai lung decat nimic");
    }
    CopyFileChecked(source, target);
    QFile copied(target);
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), bytes);

    const QString missing = dir.filePath(QStringLiteral("lipsa.jpg"));
    const QString newTarget = dir.filePath(QStringLiteral("nou.jpg"));
    try {
        CopyFileChecked(missing, newTarget);
        FAIL() << "a missing source was copied";
    } catch (const IoError& e) {
        EXPECT_EQ(e.text(),
                  QStringLiteral("Error opening source file \"%1\"").arg(QDir::toNativeSeparators(missing)));
    }
    EXPECT_FALSE(QFile::exists(newTarget));

    const QString badTarget = dir.filePath(QStringLiteral("nu/exista/poza.jpg"));
    try {
        CopyFileChecked(source, badTarget);
        FAIL() << "copied into a missing folder";
    } catch (const IoError& e) {
        EXPECT_EQ(
            e.text(),
            QStringLiteral("Error opening destination file \"%1\"").arg(QDir::toNativeSeparators(badTarget)));
    }
}

TEST(Utilities, CopyFileCheckedRefusesCopyingAFileOntoItself)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString source = dir.filePath(QStringLiteral("BazaDate.sqlite"));
    const QByteArray bytes("continutul bazei de date");
    {
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QString symbolicLink = dir.filePath(QStringLiteral("legatura.sqlite"));
    ASSERT_TRUE(QFile::link(source, symbolicLink));
    const QString hardLink = dir.filePath(QStringLiteral("aceeasi.sqlite"));
    std::filesystem::create_hard_link(QFile::encodeName(source).toStdString(),
                                      QFile::encodeName(hardLink).toStdString());

    const QString sameNames[] = {
        source,
        dir.path() + QStringLiteral("/./BazaDate.sqlite"),
        dir.path() + QStringLiteral("/sub/../BazaDate.sqlite"),
        dir.path() + QStringLiteral("//BazaDate.sqlite"),
        symbolicLink,
        hardLink,
    };
    for (const QString& target : sameNames) {
        try {
            CopyFileChecked(source, target);
            ADD_FAILURE() << "copied onto itself through " << target.toStdString();
        } catch (const IoError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("Error opening destination file \"%1\"")
                                    .arg(QDir::toNativeSeparators(target)));
        }
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), bytes) << target.toStdString();
    }
    // The link itself as the source is the same file as well.
    EXPECT_THROW(CopyFileChecked(symbolicLink, source), IoError);
}

TEST(Utilities, ProgramVersion)
{
    EXPECT_EQ(formatRunningVersion(parseProgramVersion(QStringLiteral("2.6.4.0"))),
              QStringLiteral("2.6.4.0"));
    for (const char* bad : {"", "2.6.4", "2.6.4.0.1", "2.x.4.0", "70000.1.1.1"})
        EXPECT_FALSE(parseProgramVersion(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(formatRunningVersion(std::nullopt), QStringLiteral("0.0.0.0"));
    ASSERT_TRUE(ReadProgramVersion().has_value());
    EXPECT_EQ(formatRunningVersion(ReadProgramVersion()), QStringLiteral(LUMIVARET_VERSION));
}

TEST(Utilities, DatabaseErrorWordings)
{
    EXPECT_EQ(DbErrorText::forReport(QStringLiteral("disc plin")),
              QStringLiteral("Eroare de acces la baza de date!\n<disc plin>!"));
    EXPECT_EQ(DbErrorText::forDatabase(QStringLiteral("disc plin")),
              QStringLiteral("Eroare de acces la baza de date!\ndisc plin!"));
    EXPECT_EQ(DbErrorText::forTable(QStringLiteral("parohie"), QStringLiteral("disc plin")),
              QStringLiteral("Eroare de acces la tabela parohie!\ndisc plin!"));
}
