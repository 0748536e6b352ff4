#include "db_fixture.h"
#include "host/host_types.h"
#include "host/i_recordset.h"
#include "host/i_row_view.h"

namespace zolmar {
namespace {

// Each streamed row as "Int|text" per column, joined with ";".
bool readAll(Connection& cn, const QString& sql, QStringList* rows) {
  return cn.ReadRows(sql, [rows](const arboles::IRowView& row) {
    QStringList columns;
    for (qint32 c = 0; c < row.ColumnCount(); ++c)
      columns << QString::number(row.Int(c)) + "|" + QString::fromUtf8(row.Utf8(c));
    rows->append(columns.join(';'));
    return true;
  });
}

// What a record set of the same statement holds, in the same shape.
QStringList recordSet(Connection& cn, const QString& sql) {
  QStringList rows;
  const auto rs = arboles::recordsetOf(cn.ExecuteSQL(sql, 5));
  while (rs && rs->Read()) {
    QStringList columns;
    for (qint32 c = 0; c < rs->FieldCount(); ++c) {
      const QVariant v = rs->Field(rs->FieldName(c));
      columns << QString::number(v.toInt()) + "|" + v.toString();
    }
    rows << columns.join(';');
  }
  return rows;
}

TEST(ReadRows, GivesWhatTheRecordSetGivesThroughTheSameTranslationAndRecorder) {
  SKIP_ON_SERVER("values without a declared type are SQLite's");
  auto cn = testing::openMemory();
  cn->executeNative("CREATE TABLE Valores (Orden INTEGER, Valor)");  // no affinity: values stay as given
  const char* values[] = {"7",  "1099511627781", "1.5",     "2.5",  "'12abc'", "'Droguería'",
                          "''", "NULL",          "X'4142'", "1e20", "'😀 ñ'",   "CAST(X'41C3' AS TEXT)"};
  for (int i = 0; i < int(std::size(values)); ++i)
    cn->executeNative(QStringLiteral("INSERT INTO Valores VALUES (%1, %2)").arg(i).arg(values[i]));
  QList<std::pair<QString, qint32>> recorded;
  cn->setStatementRecorder([&](const QString& sql, qint32 mode) { recorded.append({sql, mode}); });
  for (const char* sql : {"SELECT Orden, Valor FROM Valores ORDER BY Orden",
                          "SELECT TOP 3 [Valor] FROM Valores WHERE Orden>4 ORDER BY Orden DESC",
                          // the same shape again: its literals come from the translation cache
                          "SELECT TOP 3 [Valor] FROM Valores WHERE Orden>8 ORDER BY Orden DESC"}) {
    QStringList streamed;
    EXPECT_TRUE(readAll(*cn, sql, &streamed)) << sql << ": " << cn->LastError().toStdString();
    EXPECT_EQ(recorded.last(), std::make_pair(QString(sql), 5));
    EXPECT_EQ(streamed, recordSet(*cn, sql)) << sql;
    EXPECT_FALSE(streamed.isEmpty());
  }
}

TEST(ReadRows, FailuresSetHasErrorWhileStopsAndNestedStatementsDoNot) {
  auto cn = testing::openMemory();
  for (const char* bad : {"SELEC Nombre FROM Arboles", "SELECT * FROM NoExiste", "SELECT 1 ; SELECT 2"}) {
    QStringList rows;
    EXPECT_FALSE(readAll(*cn, bad, &rows)) << bad;
    EXPECT_TRUE(cn->LastError().contains(bad)) << cn->LastError().toStdString();
  }
  cn->setStatementFault([] { return true; });
  QStringList rows;
  EXPECT_FALSE(readAll(*cn, "SELECT 1", &rows));
  EXPECT_TRUE(rows.isEmpty());
  cn->setStatementFault({});

  for (int i = 0; i < 3; ++i) cn->ExecuteSQL(QStringLiteral("INSERT INTO Arboles (Tipo) VALUES (%1)").arg(i));
  const QString sql = "SELECT Tipo FROM Arboles ORDER BY Tipo";
  int seen = 0;
  EXPECT_TRUE(cn->ReadRows(sql, [&](const arboles::IRowView&) { return ++seen < 2; }));
  EXPECT_EQ(seen, 2);
  // The read has a statement of its own: the callback may run this very one.
  QList<qint32> read;
  EXPECT_TRUE(cn->ReadRows(sql, [&](const arboles::IRowView& row) {
    read << row.Int(0);
    return cn->ExecuteSQL(sql, 2, -1).toInt() == 0;
  }));
  EXPECT_EQ(read, QList<qint32>({0, 1, 2}));
  EXPECT_FALSE(cn->HasError());
}

}  // namespace
}  // namespace zolmar
