# The headers nearly every file of the program includes, parsed once into a
# precompiled header instead of once per file. Two headers serve the whole
# build: one made by the record layer (db) for the program's libraries, one
# made by the test support for the test programs; the other targets reuse
# them (their Qt modules and definitions do not change these headers).
set(LUMIVARET_PRECOMPILED_PROGRAM
  <QString> <QStringList> <QList> <QHash> <QMap> <QVariant> <QDate> <QDateTime> <QLocale>
  <QDir> <QFile> <QFileInfo> <QRegularExpression> <QPointer>
  <QApplication> <QWidget> <QLabel> <QLineEdit> <QPushButton> <QAction> <QKeyEvent>
  <QVBoxLayout> <QHBoxLayout> <QFormLayout> <QComboBox> <QPainter> <QFont>
  <QSqlDatabase> <QSqlQuery> <QSqlRecord> <QSqlError>
  <algorithm> <functional> <memory> <optional> <vector>)
set(LUMIVARET_PRECOMPILED_TESTS <gtest/gtest.h> <QTest> <QSignalSpy> <QTemporaryDir>)

# The library that makes the program's header (below every library but core,
# which includes no SQL and keeps its few files without one).
set(LUMIVARET_PRECOMPILED_BY lumivaret_db)

function(lumivaret_precompile target)
  if(target STREQUAL "lumivaret_core")
    return()
  elseif(target STREQUAL LUMIVARET_PRECOMPILED_BY)
    target_precompile_headers(${target} PRIVATE ${LUMIVARET_PRECOMPILED_PROGRAM})
  elseif(target STREQUAL "lumivaret_testsupport")
    target_precompile_headers(${target} PRIVATE ${LUMIVARET_PRECOMPILED_PROGRAM} ${LUMIVARET_PRECOMPILED_TESTS})
  elseif(target MATCHES "^test_")
    target_precompile_headers(${target} REUSE_FROM lumivaret_testsupport)
  else()
    target_precompile_headers(${target} REUSE_FROM ${LUMIVARET_PRECOMPILED_BY})
  endif()
endfunction()
