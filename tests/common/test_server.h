#pragma once
// Where a test's fresh company database lives: in memory, or, when
// ZOLMAR_TEST_PG names a PostgreSQL server (make test-pg), a schema of its own
// on that server. The server is thrown away with its schemas when the run ends.

#include <QCoreApplication>
#include <QString>

#include "zolmar/db/engine/pg_backend.h"

namespace zolmar::testing {

inline QString testServer() { return qEnvironmentVariable("ZOLMAR_TEST_PG"); }

inline QString freshDatabase() {
  const QString server = testServer();
  if (server.isEmpty()) return QStringLiteral(":memory:");
  static int next = 0;
  return PgBackend::withSchema(server,
                               QString("Prueba_%1_%2").arg(QCoreApplication::applicationPid()).arg(++next));
}

// For a test that checks what only SQLite does.
#define SKIP_ON_SERVER(why) \
  if (!zolmar::testing::testServer().isEmpty()) GTEST_SKIP() << "not on a server: " << why

}  // namespace zolmar::testing
