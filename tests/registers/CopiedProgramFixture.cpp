#include "CopiedProgramFixture.h"

#include "db/Connection.h"

#include <QFile>

void CopiedProgramFixture::copyProgramBeside(const std::function<void(const QSqlDatabase&)>& fill)
{
    fill(folder.openWorkingYear());
    Connection::close();
    ASSERT_TRUE(QFile::copy(QStringLiteral(LUMIVARET_EXECUTABLE), program()));
}
