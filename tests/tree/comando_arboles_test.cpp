// The arboles program, run as an administrator runs it.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "arbol_fixture.h"

namespace {

struct Resultado {
  int salida = -1;
  QString out;
  QString err;
};

Resultado Arboles(const QStringList& args,
                  const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment()) {
  const QString programa = QCoreApplication::applicationDirPath() + "/../app/arboles";
  EXPECT_TRUE(QFileInfo(programa).isExecutable()) << programa.toStdString();
  QProcess p;
  p.setProcessEnvironment(entorno);
  p.start(programa, args);
  p.waitForFinished(60000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
          QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

class ComandoArboles : public ArbolFixture {
 protected:
  void SetUp() override {
    db = dir.filePath("empresa.db");
    ASSERT_EQ(Arboles({"--db", db, "init", "--sample"}).salida, 0);
    Abrir(db);
  }
  Resultado Orden(QStringList args) { return Arboles(QStringList{"--db", db} + args); }

  QTemporaryDir dir;
  QString db;
};

TEST_F(ComandoArboles, UsoIncorrectoSale2) {
  const QStringList casos[] = {
      {},
      {"--db", db},
      {"show", "3"},
      {"--db", db, "bogus"},
      {"--db", db, "show"},
      {"--db", db, "show", "4"},
      {"--db", db, "check", "0"},
      {"--db", db, "paths", "x"},
      {"--db", db, "renumber", "3", "--sideways"},
      {"--db", db, "delete", "-1"},
      {"--db", db, "delete", "987654"},
      {"--db", dir.filePath("falta.db"), "check", "1"},
  };
  for (const QStringList& args : casos) {
    const Resultado r = Arboles(args);
    EXPECT_EQ(r.salida, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains("uso: arboles --db FICHERO ORDEN ...")) << args.join(' ').toStdString();
    // Every command of the usage text starts a line of its own.
    for (const QString& linea : r.err.split('\n'))
      for (const char* orden : {"report TIPO", "report-categorias PROCESO", "delete ID", "init "}) {
        if (linea.contains(orden)) {
          EXPECT_TRUE(linea.startsWith(QString("  ") + orden)) << linea.toStdString();
        }
      }
  }
}

// A file that is no database, or cannot be opened, is an error of its own:
// the message alone, in Spanish, and the usage only when asked for.
TEST_F(ComandoArboles, UnFicheroQueNoEsUnaBaseDeDatosEsUnErrorNoMalUso) {
  QFile texto(dir.filePath("notas.txt"));
  ASSERT_TRUE(texto.open(QIODevice::WriteOnly));
  texto.write("esto no es una base de datos, solo texto de más de dieciséis bytes");
  texto.close();
  const struct {
    QStringList args;
    int salida;
    QString err;
  } casos[] = {
      {{"--db", texto.fileName(), "show", "3"},
       1,
       "arboles: El fichero " + texto.fileName() + " no es una base de datos\n"},
      {{"--db", dir.filePath("no/hay/carpeta.db"), "init"},
       1,
       "no se puede abrir el fichero de la base de datos"},
      {{"--db", db, "export", "3", dir.filePath("no/hay/arbol.json")},
       1,
       "no existe el fichero o la carpeta"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const Resultado r = Arboles(c.args);
    EXPECT_EQ(r.salida, c.salida);
    EXPECT_TRUE(r.err.startsWith("arboles: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("uso: arboles")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("unable") || r.err.contains("No such")) << r.err.toStdString();
  }
  const Resultado ayuda = Arboles({"--help"});
  EXPECT_EQ(ayuda.salida, 0);
  EXPECT_TRUE(ayuda.out.startsWith("uso: arboles --db FICHERO ORDEN ...")) << ayuda.out.toStdString();
}

TEST_F(ComandoArboles, MuestraVerificaYRenumeraLaEmpresaDeDemostracion) {
  for (const char* tipo : {"1", "2", "3"}) {
    const Resultado r = Orden({"check", tipo});
    EXPECT_EQ(r.salida, 0) << tipo << r.out.toStdString();
  }
  const Resultado arbol = Orden({"show", "3"});
  EXPECT_EQ(arbol.salida, 0);
  EXPECT_TRUE(arbol.out.startsWith("0100000000000000 ")) << arbol.out.toStdString();
  EXPECT_TRUE(arbol.out.contains("\n  0101000000000000 ")) << "second level indented";
  EXPECT_EQ(Orden({"renumber", "3"}).salida, 0);
  EXPECT_EQ(Orden({"renumber", "3", "--keep-order"}).salida, 0);
  EXPECT_EQ(Orden({"paths", "3"}).salida, 0);
  EXPECT_EQ(Orden({"check", "3"}).salida, 0);
}

TEST_F(ComandoArboles, CheckInformaYRepairReconstruye) {
  const qint32 raiz = Nodo(2, "0900000000000000", "O'Brien 100% [x]", 0);
  const qint32 hijo = Nodo(2, "0801000000000000", QString(50, QChar(0x00F1)), raiz);  // key of another branch
  const qint32 gemelo = Nodo(2, "0901000000000000", "Gemelo", raiz);
  Nodo(2, "0902000000000000", "Gemelo bis", raiz);
  Ejecutar(QStringLiteral("UPDATE Arboles SET Clave='0901000000000000' WHERE ZolmarID=%1").arg(gemelo + 1));
  const qint32 huerfano = Nodo(2, "0A00000000000000", "Huérfano", 99999);
  const qint32 ciclo = Nodo(2, "0B00000000000000", "Ciclo", 0);
  Ejecutar(QStringLiteral("UPDATE Arboles SET id_padre=%1 WHERE ZolmarID=%1").arg(ciclo));

  const Resultado mal = Orden({"check", "2"});
  EXPECT_EQ(mal.salida, 1);
  const QString hijoTexto = QStringLiteral("Nodo %1 ").arg(hijo);
  for (const QString& esperado :
       {QStringLiteral("Nodo %1 (Huérfano): su padre 99999 no existe").arg(huerfano),
        QStringLiteral("Nodo %1 (Ciclo): es su propio padre").arg(ciclo),
        QStringLiteral("el segmento 01 se repite con su hermano %1").arg(gemelo),
        QStringLiteral("Nodo %1 (%2): la clave 0801000000000000 no empieza por la de su padre %3")
            .arg(hijo)
            .arg(QString(50, QChar(0x00F1)))
            .arg(raiz),
        QStringLiteral("RutaPadre desactualizada")})
    EXPECT_TRUE(mal.out.contains(esperado)) << esperado.toStdString() << "\n" << mal.out.toStdString();

  const Resultado arreglado = Orden({"repair", "2"});
  EXPECT_EQ(arreglado.salida, 0) << arreglado.out.toStdString();
  EXPECT_TRUE(arreglado.out.contains("El árbol de tipo 2 no tiene problemas")) << arreglado.out.toStdString();
  // The nodes hung from the top level are named: someone must file them again.
  for (const QString& colgado : {QStringLiteral("Colgado del primer nivel: %1 Huérfano").arg(huerfano),
                                 QStringLiteral("Colgado del primer nivel: %1 Ciclo").arg(ciclo)})
    EXPECT_TRUE(arreglado.out.contains(colgado)) << colgado.toStdString() << "\n"
                                                 << arreglado.out.toStdString();
  EXPECT_EQ(Ruta(hijo), "O'Brien 100% [x]:");
  EXPECT_EQ(Valor(QStringLiteral("SELECT id_padre FROM Arboles WHERE ZolmarID=%1").arg(huerfano)).toInt(), 0);
  EXPECT_EQ(Valor(QStringLiteral("SELECT id_padre FROM Arboles WHERE ZolmarID=%1").arg(ciclo)).toInt(), 0);
}

TEST_F(ComandoArboles, RepairDejaSanoCadaDano) {
  enum Dano { Cruzadas, FaltaPadre, PadreAjeno, Ciclo };
  const struct {
    const char* nombre;
    Dano dano;
  } casos[] = {{"claves cruzadas", Cruzadas},
               {"padre que falta", FaltaPadre},
               {"padre de otro árbol", PadreAjeno},
               {"ciclo de dos nodos", Ciclo}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nombre);
    db = dir.filePath(QStringLiteral("%1.db").arg(c.dano));
    Abrir(db);
    const qint32 raiz = Nodo(2, "0200000000000000", "Raíz", 0);
    const qint32 hijo = Nodo(2, "0202000000000000", "Hijo", raiz);
    qint32 roto = 0;
    switch (c.dano) {
      case Cruzadas:
        roto = Nodo(2, "0000000000000000", "Nieto", hijo);
        break;
      case FaltaPadre:
        roto = Nodo(2, "0300000000000000", "Huérfano", 999);
        break;
      case PadreAjeno:
        roto = Nodo(2, "0300000000000000", "Colgado", Nodo(1, "0100000000000000", "Ajeno", 0));
        break;
      case Ciclo:
        roto = Nodo(2, "0300000000000000", "Uno", 0);
        Ejecutar(QStringLiteral("UPDATE Arboles SET id_padre=%1 WHERE ZolmarID=%2")
                     .arg(Nodo(2, "0301000000000000", "Dos", roto))
                     .arg(roto));
        break;
    }
    Nodo(2, "0F00000000000000", "Colgante", roto);
    EXPECT_EQ(Orden({"check", "2"}).salida, 1);
    const Resultado r = Orden({"repair", "2"});
    EXPECT_EQ(r.salida, 0) << r.out.toStdString();
    const Resultado despues = Orden({"check", "2"});
    EXPECT_EQ(despues.salida, 0) << despues.out.toStdString();
    EXPECT_TRUE(despues.out.contains(
        QStringLiteral("no tiene problemas (%1 nodos)").arg(Cuenta("Arboles WHERE Tipo=2"))))
        << despues.out.toStdString();
    EXPECT_EQ(Orden({"check", "1"}).salida, 0) << "the other tree is left alone";
  }
}

TEST_F(ComandoArboles, DeleteYBloqueos) {
  const qint32 usado = Valor("SELECT TOP 1 ID_Grupo FROM Clientes WHERE ID_Grupo>0 AND Activo=0").toInt();
  ASSERT_GT(usado, 0);
  const Resultado rechazo = Orden({"delete", QString::number(usado)});
  EXPECT_EQ(rechazo.salida, 1);
  EXPECT_TRUE(rechazo.err.contains("Esta ficha está siendo usada en la tabla de \"Clientes\""))
      << rechazo.err.toStdString();

  const qint32 libre = Nodo(1, "0F00000000000000", "Sin uso 'ni' [nada]%", 0);
  ASSERT_TRUE(host->appGlobal()->LockTable(3, true, "Arboles", 0, "Tipo=1", 3) == false);
  for (const QStringList& args : {QStringList{"delete", QString::number(libre)}, QStringList{"renumber", "1"},
                                  QStringList{"paths", "1"}, QStringList{"repair", "1"}}) {
    const Resultado r = Orden(args);
    EXPECT_EQ(r.salida, 1) << args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains("El árbol está bloqueado por otro usuario")) << r.err.toStdString();
  }
  EXPECT_EQ(Orden({"paths", "3"}).salida, 0) << "another tree is free";
  host->appGlobal()->LockTable(3, false, "Arboles", 0, "Tipo=1", 3);
  const Resultado borrado = Orden({"delete", QString::number(libre)});
  EXPECT_EQ(borrado.salida, 0) << borrado.err.toStdString();
  EXPECT_EQ(Cuenta(QStringLiteral("Arboles WHERE ZolmarID=%1").arg(libre)), 0);
}

// A session without a runtime folder, as under cron or ssh: the tool prints
// only its own lines, and its errors still reach stderr.
TEST_F(ComandoArboles, SoloImprimeSusPropiosMensajes) {
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  entorno.remove("XDG_RUNTIME_DIR");
  entorno.remove("QT_QPA_PLATFORM");
  const Resultado bien = Arboles({"--db", db, "show", "3"}, entorno);
  EXPECT_EQ(bien.salida, 0);
  EXPECT_EQ(bien.err, QString());
  const Resultado mal = Arboles({"--db", db, "show", "9"}, entorno);
  EXPECT_EQ(mal.salida, 2);
  EXPECT_TRUE(mal.err.startsWith("arboles: ")) << mal.err.toStdString();
  EXPECT_FALSE(mal.err.contains("QStandardPaths")) << mal.err.toStdString();
}

// Paths are derived data: stale ones are listed with the command that rebuilds
// them, and only damage to keys, parent links or levels fails the check.
TEST_F(ComandoArboles, CheckAvisaDeRutasDesactualizadasSinFallar) {
  const qint32 raiz = Nodo(2, "0900000000000000", "Raíz", 0);
  const qint32 hijo = Nodo(2, "0901000000000000", "Hijo", raiz);
  Ejecutar(QStringLiteral("UPDATE Arboles SET RutaPadre='Vieja:' WHERE ZolmarID=%1").arg(hijo));
  const Resultado aviso = Orden({"check", "2"});
  EXPECT_EQ(aviso.salida, 0) << aviso.out.toStdString();
  EXPECT_TRUE(aviso.out.contains(QStringLiteral("Aviso: Nodo %1 (Hijo): RutaPadre desactualizada").arg(hijo)))
      << aviso.out.toStdString();
  EXPECT_TRUE(aviso.out.contains("\"arboles paths 2\"")) << aviso.out.toStdString();
  EXPECT_TRUE(aviso.out.contains("no tiene problemas de estructura")) << aviso.out.toStdString();

  Ejecutar(QStringLiteral("UPDATE Arboles SET Clave='0801000000000000' WHERE ZolmarID=%1").arg(hijo));
  const Resultado dano = Orden({"check", "2"});
  EXPECT_EQ(dano.salida, 1) << dano.out.toStdString();
  EXPECT_TRUE(dano.out.contains("1 problema en el árbol de tipo 2")) << dano.out.toStdString();
  EXPECT_TRUE(dano.out.contains("\"arboles paths 2\"")) << "warnings are still listed";

  ASSERT_EQ(Orden({"paths", "2"}).salida, 0);
  const Resultado sinAvisos = Orden({"check", "2"});
  EXPECT_FALSE(sinAvisos.out.contains("Aviso:")) << sinAvisos.out.toStdString();
  EXPECT_EQ(sinAvisos.salida, 1) << "rebuilt paths do not mend a key";
}

// The copies from the command line; this test keeps the database open, as
// another program would, so a restore is refused until it lets go.
TEST_F(ComandoArboles, CopiasDeSeguridadYRestauracionSoloConLaBaseLibre) {
  const QString antes = Orden({"show", "3"}).out;
  const Resultado copia = Orden({"backup"});
  ASSERT_EQ(copia.salida, 0) << copia.err.toStdString();
  EXPECT_TRUE(copia.out.contains("Copias de seguridad/empresa ")) << copia.out.toStdString();
  ASSERT_EQ(Orden({"renumber", "3"}).salida, 0);
  cn->ExecuteSQL("UPDATE Arboles SET Nombre='Cambiado' WHERE Tipo=3");
  ASSERT_NE(Orden({"show", "3"}).out, antes);
  const Resultado lista = Orden({"restore"});
  EXPECT_TRUE(lista.out.startsWith("empresa ")) << lista.out.toStdString();
  EXPECT_TRUE(lista.out.section('\n', 0, 0).contains("Ordenar por nombre")) << "renumbering kept one first";
  const QString manual = lista.out.section('\n', 1, 1).section('\t', 0, 0);
  ASSERT_TRUE(manual.contains("Copia manual")) << lista.out.toStdString();

  const Resultado rechazada = Orden({"restore", manual});
  EXPECT_EQ(rechazada.salida, 1);
  EXPECT_TRUE(rechazada.err.contains("Otro programa tiene abierta la base de datos"))
      << rechazada.err.toStdString();
  taz.reset();
  cn.reset();
  host.reset();
  const Resultado restaurada = Orden({"restore", manual});
  EXPECT_EQ(restaurada.salida, 0) << restaurada.err.toStdString();
  EXPECT_EQ(Orden({"show", "3"}).out, antes);
}
