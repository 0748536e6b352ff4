// A LIKE on a text column with a constant pattern finds the same rows as the
// pattern alone, and lets an index on the column narrow the search.

#include "db_fixture.h"
#include "host/host_types.h"
#include "host/i_recordset.h"
#include "zolmar/db/tsql/tsql_translator.h"

namespace zolmar {
namespace {

using testing::openMemory;

TEST(LikeRangeTest, FindsWhatThePatternAloneFinds) {
  auto cn = openMemory();
  const char* nombres[] = {"Vinos",  "vinos tintos", "VINAGRES", "Viños",     "Vïnos",  "Aceites", "",
                           "[Vino]", "100% zumo",    "Sin_gas",  "O'Donnell", "vinos ", "Zumo",    "ñu"};
  for (const char* n : nombres)
    cn->executeNative("INSERT INTO Arboles (Tipo, Clave, Nombre) VALUES (3, ?1, ?2)", 0, {},
                      {QStringLiteral("01"), QString::fromUtf8(n)});
  const char* patrones[] = {"vin%",    "VINOS", "Viñ%",  "V_n%",  "[V]ino%", "%o%", "%",    "",
                            "100[%]%", "Sin_%", "O''D%", "vinos", "ñ%",      "Z%",  "[[]V%"};
  for (const char* p : patrones) {
    const QString patron = QString::fromUtf8(p);
    const qint32 conRango =
        cn->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE Nombre LIKE '" + patron + "'", 2, -1).toInt();
    ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
    // A negated LIKE gets no range.
    const qint32 soloPatron =
        cn->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE NOT (Nombre NOT LIKE '" + patron + "')", 2, -1)
            .toInt();
    EXPECT_EQ(conRango, soloPatron) << p;
  }
}

TEST(LikeRangeTest, ANameWithinAKeyPrefixIsFoundThroughTheNameIndex) {
  SKIP_ON_SERVER("the plan checked is SQLite's");
  auto cn = openMemory();
  const TSqlTranslation t = cn->translator().translate(
      "SELECT Clave FROM Arboles WHERE Tipo=3 AND Nombre='x' AND Clave LIKE '01%'");
  ASSERT_TRUE(t.ok()) << t.error.toStdString();
  QVariantList valores;
  for (const QVariant& v : t.literals) valores << v;
  const auto plan = arboles::recordsetOf(cn->executeNative("EXPLAIN QUERY PLAN " + t.sql, 5, {}, valores));
  ASSERT_TRUE(plan) << cn->LastError().toStdString();
  QString detalle;
  while (plan->Read()) detalle += plan->Field("detail").toString() + "\n";
  EXPECT_TRUE(detalle.contains("IX_Arboles_Tipo_Nombre_Clave (Tipo=? AND Nombre=? AND Clave>? AND Clave<?)"))
      << detalle.toStdString();
}

TEST(LikeRangeTest, AKeyPrefixSearchUsesTheIndex) {
  SKIP_ON_SERVER("the plan checked is SQLite's");
  auto cn = openMemory();
  const TSqlTranslation t = cn->translator().translate(
      "SELECT MAX(SUBSTRING(Clave,3,2)) FROM Arboles WHERE Tipo=3 AND Clave LIKE '01%'");
  ASSERT_TRUE(t.ok()) << t.error.toStdString();
  QVariantList valores;
  for (const QVariant& v : t.literals) valores << v;
  const auto plan = arboles::recordsetOf(cn->executeNative("EXPLAIN QUERY PLAN " + t.sql, 5, {}, valores));
  ASSERT_TRUE(plan) << cn->LastError().toStdString();
  QString detalle;
  while (plan->Read()) detalle += plan->Field("detail").toString() + "\n";
  EXPECT_TRUE(detalle.contains("IX_Arboles_Tipo_Clave (Tipo=? AND Clave>? AND Clave<?)"))
      << detalle.toStdString();
}

}  // namespace
}  // namespace zolmar
