#pragma once
// A fresh company database per test: schema only, or schema and demo data.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/test_server.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/schema.h"

namespace zolmar::testing {

// In memory, or on the test server (test_server.h).
inline std::shared_ptr<Connection> openMemory() {
  QString error;
  auto cn = Connection::open(freshDatabase(), &error);
  EXPECT_TRUE(cn) << error.toStdString();
  EXPECT_TRUE(Schema::create(*cn, &error)) << error.toStdString();
  return cn;
}

inline std::shared_ptr<Connection> openFile(const QTemporaryDir& dir, const QString& name = "empresa.db") {
  QString error;
  auto cn = Connection::open(dir.filePath(name), &error);
  EXPECT_TRUE(cn) << error.toStdString();
  EXPECT_TRUE(Schema::create(*cn, &error)) << error.toStdString();
  return cn;
}

}  // namespace zolmar::testing
