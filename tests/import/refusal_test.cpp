// Documents the framework or the handler refuses: nothing is written then.

#include "import_fixture.h"
#include "zolmar/db/rows/row_set.h"

namespace {

TEST_F(ImportFixture, MalformedFilesAreRefusedNamingFileLineAndField) {
  const struct {
    const char* caso;
    QByteArray texto;
    const char* donde;  // "línea N, campo X"
  } casos[] = {
      {"vacío", "", "línea 1, campo TipoDocumento: el fichero está vacío"},
      {"solo blancos", " \n\n", "línea 1, campo TipoDocumento: el fichero está vacío"},
      {"no es JSON", "TipoDocumento=9\n", "línea 1, campo (ninguno): no es JSON válido"},
      {"cortado", "{\"TipoDocumento\": 9,\n \"TipoArbol\": 3,\n \"Contenido\": [\n {\"zolmarID\": 1,",
       "línea 4, campo zolmarID: no es JSON válido"},
      {"no es un objeto", "[1, 2]", "línea 1, campo (ninguno): el documento debe ser un objeto JSON"},
      {"falta TipoArbol", "{\"TipoDocumento\": 9, \"Contenido\": []}",
       "línea 1, campo TipoArbol: falta el campo"},
      {"TipoArbol fuera de rango", "{\"TipoDocumento\": 9,\n\"TipoArbol\": 7, \"Contenido\": []}",
       "línea 2, campo TipoArbol: debe ser 1, 2 o 3"},
      {"TipoDocumento como texto", "{\"TipoDocumento\": \"9\", \"TipoArbol\": 3, \"Contenido\": []}",
       "línea 1, campo TipoDocumento: debe ser un número entero"},
      {"Contenido no es una lista", "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": {}}",
       "línea 1, campo Contenido: debe ser una lista de ramas"},
      {"rama que no es objeto", "{\"TipoDocumento\": 9, \"TipoArbol\": 3,\n\"Contenido\": [\n7]}",
       "línea 3, campo Contenido: cada rama debe ser un objeto"},
      {"falta Nombre",
       "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [\n"
       "{\"zolmarID\": 1, \"ID_RamaOriginal\": 5, \"ID_RamaPadreOriginal\": 0, \"Nombre\": \"A\"},\n"
       "{\"zolmarID\": 2, \"ID_RamaOriginal\": 6,\n \"ID_RamaPadreOriginal\": 5}]}",
       "línea 3, campo Nombre: falta el campo"},
      {"id con decimales",
       "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [\n"
       "{\"zolmarID\": 1, \"ID_RamaOriginal\": 5.5, \"ID_RamaPadreOriginal\": 0, \"Nombre\": \"A\"}]}",
       "línea 2, campo ID_RamaOriginal: debe ser un número entero"},
      {"id demasiado grande",
       "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [\n"
       "{\"zolmarID\": 1, \"ID_RamaOriginal\": 5,\n\"ID_RamaPadreOriginal\": 4294967296, \"Nombre\": "
       "\"A\"}]}",
       "línea 3, campo ID_RamaPadreOriginal: debe ser un número entero de 32 bits"},
      {"nombre nulo",
       "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [\n"
       "{\"zolmarID\": 1, \"ID_RamaOriginal\": 5, \"ID_RamaPadreOriginal\": 0, \"Nombre\": null}]}",
       "línea 2, campo Nombre: debe ser un texto"},
      {"texto que no es UTF-8",
       "{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [\n{\"Nombre\": \"\xff\"}]}",
       "línea 2, campo Nombre: no es JSON válido"},
  };
  const QString antes = Volcado();
  for (const auto& c : casos) {
    const auto r = Importar(c.texto);
    EXPECT_EQ(r.result, -1) << c.caso;
    EXPECT_TRUE(r.status.startsWith("El documento prueba.json no se puede importar: "))
        << r.status.toStdString();
    EXPECT_TRUE(r.status.contains(QString::fromUtf8(c.donde))) << c.caso << ": " << r.status.toStdString();
  }
  EXPECT_EQ(Volcado(), antes);
}

TEST_F(ImportFixture, BranchesThatCannotFormATreeAreRefusedByName) {
  QVector<Rama> profundo;
  for (qint32 i = 1; i <= 9; ++i) profundo.push_back({i, i - 1, QString("Nivel %1").arg(i)});
  QVector<Rama> anchos{{1, 0, "Padre"}};
  for (qint32 i = 2; i <= 257; ++i) anchos.push_back({i, 1, QString("Hijo %1").arg(i)});
  const struct {
    const char* caso;
    QVector<Rama> ramas;
    const char* estado;
  } casos[] = {
      {"padre ausente", {{10, 0, "Bebidas"}, {12, 99, "Tintos"}}, "La rama 12 (Tintos) de la línea "},
      {"ciclo", {{10, 0, "Bebidas"}, {12, 13, "Tintos"}, {13, 12, "Blancos"}}, "forman un ciclo"},
      {"padre de sí misma", {{12, 12, "Tintos"}}, "La rama 12 (Tintos)"},
      {"id repetido", {{10, 0, "Bebidas"}, {10, 0, "Quesos"}}, "La rama 10 (Quesos)"},
      {"id 0", {{0, 0, "Bebidas"}}, "ID_RamaOriginal 0"},
      {"más de 8 niveles", profundo, "La rama 9 (Nivel 9)"},
      {"más de 255 hijos", anchos, "La rama 257 (Hijo 257)"},
  };
  const QString antes = Volcado();
  for (const auto& c : casos) {
    const auto r = Importar(c.ramas);
    EXPECT_EQ(r.result, -1) << c.caso;
    EXPECT_TRUE(r.status.contains(QString::fromUtf8(c.estado))) << c.caso << ": " << r.status.toStdString();
  }
  EXPECT_EQ(Volcado(), antes);
}

TEST_F(ImportFixture, AHeldLockRefusesTheImportAndIsLeftToItsOwner) {
  auto app = host->appGlobal();
  ASSERT_FALSE(app->LockTable(3, true, "Arboles", 0, "Tipo=3", 3));
  const QString antes = Volcado();
  const auto r = Importar({{1, 0, "Bebidas"}});
  EXPECT_EQ(r.result, -1);
  EXPECT_EQ(r.status, QString::fromUtf8(
                          "No pudo bloquearse la tabla de árboles. Reintente el proceso en otro momento."));
  EXPECT_EQ(Volcado(), antes);
  // Another tree is not locked, and the import gives its lock back.
  EXPECT_EQ(Importar(Documento({{1, 0, "Mayoristas"}}, 1)).result, 0);
  EXPECT_TRUE(app->LockTable(3, true, "Arboles", 0, "Tipo=3", 3)) << "the holder's lock was released";
  app->LockTable(3, false, "Arboles", 0, "Tipo=3", 3);
  EXPECT_EQ(Importar({{1, 0, "Bebidas"}}).result, 0);
  EXPECT_FALSE(app->LockTable(3, true, "Arboles", 0, "Tipo=3", 3)) << "the import kept its lock";
}

// The handler alone, as another framework would call it.
class RegistroFin : public arboles::IDataImp {
 public:
  void FinImportacion(bool a, bool b, bool c) override {
    llamadas << QString("%1%2%3").arg(int(a)).arg(int(b)).arg(int(c));
  }
  QStringList llamadas;
};

TEST_F(ImportFixture, DataImpAnswersWithItsStatusAndCallsTheEndOnlyOnSuccess) {
  arboles::cImp_Exp sinConfigurar;
  zolmar::ExchangeDocument vacio;
  ASSERT_TRUE(vacio.parse(Documento({}), "vacio.json"));
  zolmar::ExchangeDocument otroTipo;
  ASSERT_TRUE(otroTipo.parse(Documento({{1, 0, "A"}}, 3, 4), "otro.json"));
  zolmar::ExchangeDocument bueno;
  ASSERT_TRUE(bueno.parse(Documento({{1, 0, "A"}}), "bueno.json"));
  const struct {
    const char* caso;
    arboles::cImp_Exp* imp;
    const zolmar::ExchangeDocument* doc;
    qint32 resultado;
    const char* estado;
    const char* fin;
  } casos[] = {
      {"sin configurar", &sinConfigurar, &bueno, -1,
       "El proceso de importación no está instanciado correctamente.", ""},
      {"sin ramas", handler.get(), &vacio, 0, "No hay datos para importar: el árbol no tiene ninguna rama.",
       ""},
      {"tipo de documento", handler.get(), &otroTipo, -1,
       "Se ha intentado importar un documento de un tipo no soportado.", ""},
      {"correcto", handler.get(), &bueno, 0, "", "111"},
  };
  for (const auto& c : casos) {
    auto fin = std::make_shared<RegistroFin>();
    std::shared_ptr<arboles::IDataImp> objeto = fin;
    QString estado;
    arboles::RecordsetPtr cabecera = c.doc->header();
    arboles::RecordsetPtr contenido = c.doc->content();
    EXPECT_EQ(c.imp->Data_Imp(objeto, estado, cabecera, contenido), c.resultado) << c.caso;
    EXPECT_EQ(estado, QString::fromUtf8(c.estado)) << c.caso;
    EXPECT_EQ(fin->llamadas.join(','), c.fin) << c.caso;
  }
}

}  // namespace
