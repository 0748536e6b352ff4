#include "informes_fixture.h"
#include "zolmar/report/report_field.h"

using zolmar::ReportOutputKind;

// Each node's connectors: the last child "+--", a child with later siblings
// "|--", and "|  " on the levels above while their later siblings remain.
TEST_F(InformesFixture, ElPrefijoDeCadaNodoDibujaSusRamas) {
  const qint32 idC = InsertarNodo(3, "03" + QString(14, '0'), "C", 0, 0);
  const qint32 idC1 = InsertarNodo(3, "0301" + QString(12, '0'), "C1", idC, 0);
  const qint32 idC2 = InsertarNodo(3, "0302" + QString(12, '0'), "C2", idC, 0);
  const qint32 idC2a = InsertarNodo(3, "030201" + QString(10, '0'), "C2a", idC2, 0);
  const QList<std::pair<qint32, QString>> esperados = {
      {idA, "|--"},     {idA1, "|  |--"}, {idA1a, "|  |  +--"}, {idA2, "|  +--"}, {idB, "|--"},
      {idB1, "|  +--"}, {idC, "+--"},     {idC1, "   |--"},     {idC2, "   +--"}, {idC2a, "      +--"}};
  auto* frm = Abrir(3);
  ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("arbol.csv")}));
  ASSERT_EQ(frm->oRptForm->Filas(), esperados.size());
  for (qint32 fila = 1; fila <= esperados.size(); ++fila) {
    const auto& [id, prefijo] = esperados.at(fila - 1);
    SCOPED_TRACE(id);
    auto rs = frm->oRptForm->Engine().Data().rows;
    rs->SetPosition(fila);
    EXPECT_EQ(rs->Field("F_ZOLMARID").toInt(), id);
    EXPECT_EQ(frm->PrefijoFila(fila), prefijo);
    // The name goes after twice as many blanks as the prefix has characters.
    EXPECT_EQ(frm->oRptForm->Engine().CellText(fila, 1),
              QString(2 * prefijo.size(), ' ') + rs->Field("F_NOMBRE").toString());
  }
  // The listing shows names as they are.
  frm->oRptForm->SetProceso(2);
  ASSERT_TRUE(frm->oRptForm->Generar({ReportOutputKind::Csv, Fichero("lista.csv")}));
  EXPECT_EQ(frm->oRptForm->Engine().CellText(2, 1), "A1");
  frm->Unload();
}

TEST(ReportField, ElAliasVieneDeLaColumnaODelAliasPropio) {
  struct Caso {
    const char* expresion;
    const char* alias;
    const char* elemento;
  };
  const Caso casos[] = {
      {"Arboles.ZolmarID", "F_ZOLMARID", "Arboles.ZolmarID AS F_ZOLMARID"},
      {"Arboles.ID_Padre", "F_ID_PADRE", "Arboles.ID_Padre AS F_ID_PADRE"},
      {"Nombre", "F_NOMBRE", "Nombre AS F_NOMBRE"},
      {"CASE x WHEN 0 THEN '' ELSE y END AS Comentario", "F_COMENTARIO",
       "CASE x WHEN 0 THEN '' ELSE y END AS F_COMENTARIO"},
      {"isnull(a.b,'') as [Otro]", "F_OTRO", "isnull(a.b,'') AS F_OTRO"},
  };
  for (const Caso& c : casos) {
    const zolmar::ReportField f{"x", c.expresion, 10};
    EXPECT_EQ(f.Alias(), c.alias);
    EXPECT_EQ(f.SelectItem(), c.elemento);
  }
}
