#pragma once
// A fresh company database per test: schema only, or schema and demo data.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "zolmar/db/connection.h"
#include "zolmar/db/schema.h"

namespace zolmar::testing {

inline std::shared_ptr<Connection> openMemory() {
  QString error;
  auto cn = Connection::open(":memory:", &error);
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
