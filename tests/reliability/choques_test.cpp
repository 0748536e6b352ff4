// The arboles program killed with SIGKILL at random moments of a long
// operation: the file stays sound, every node keeps its parent link, and
// check and repair bring the tree back. Soak only: each kill needs a child.

#include <signal.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include "common/host_fixture.h"
#include "soak.h"

namespace {

class Choques : public HostFixture {
 protected:
  // A wide and deep article tree, big enough for a renumbering to be caught half-way.
  void Arbol(qint32 nodos) {
    QRandomGenerator azar(17);
    QVector<qint32> ids;
    QHash<qint32, qint32> hijos;
    QHash<qint32, QString> prefijo{{0, QString()}};
    cn->BeginTrans(QStringLiteral("arbol"));
    for (qint32 i = 0; i < nodos; ++i) {
      qint32 padre = 0;
      for (qint32 intento = 0; intento < 20 && !ids.isEmpty(); ++intento) {
        const qint32 p = ids[azar.bounded(ids.size())];
        if (prefijo[p].size() < 14 && hijos[p] < 255) {
          padre = p;
          break;
        }
      }
      const QString p =
          prefijo[padre] + QStringLiteral("%1").arg(++hijos[padre], 2, 16, QLatin1Char('0')).toUpper();
      const qint32 id = InsertarNodo(3, p.leftJustified(16, '0'), QStringLiteral("N%1").arg(nodos - i), padre,
                                     0, {{QStringLiteral("RutaPadre"), QStringLiteral("''")}});
      prefijo[id] = p;
      ids << id;
    }
    cn->CommitTrans(QStringLiteral("arbol"), 0);
  }

  QString Padres() {
    QStringList filas;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(cn->handle(), "SELECT ZolmarID, id_padre FROM Arboles ORDER BY ZolmarID", -1, &st,
                       nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
      filas << QStringLiteral("%1>%2").arg(sqlite3_column_int(st, 0)).arg(sqlite3_column_int(st, 1));
    sqlite3_finalize(st);
    return filas.join(',');
  }

  QString Integridad() {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(cn->handle(), "PRAGMA integrity_check", -1, &st, nullptr);
    const QString r = sqlite3_step(st) == SQLITE_ROW
                          ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
                          : QStringLiteral("sin respuesta");
    sqlite3_finalize(st);
    return r;
  }

  static int Arboles(const QStringList& args) {
    QProcess p;
    p.start(Programa(), args);
    p.waitForFinished(120000);
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  static QString Programa() { return QCoreApplication::applicationDirPath() + "/../app/arboles"; }
};

TEST_F(Choques, UnProcesoMatadoNoDejaElArbolRotoNiElFicheroCorrupto) {
  if (!Soak::Activo()) GTEST_SKIP() << "ARBOLES_SOAK=1 runs it";
  QTemporaryDir dir;
  const QString db = dir.filePath("empresa.db");
  Abrir(db);
  Arbol(4000);
  const QString padres = Padres();
  host.reset();
  ASSERT_EQ(Arboles({"--db", db, "repair", "3"}), 0);
  const QStringList ordenes[] = {
      {"renumber", "3"}, {"paths", "3"}, {"repair", "3"}, {"renumber", "3", "--keep-order"}};
  QRandomGenerator azar(29);
  for (qint32 vez = 0; vez < 200; ++vez) {
    const QStringList orden = ordenes[vez % 4];
    SCOPED_TRACE(QStringLiteral("%1 %2").arg(vez).arg(orden.join(' ')).toStdString());
    QProcess hijo;
    hijo.start(Programa(), QStringList{"--db", db} + orden);
    ASSERT_TRUE(hijo.waitForStarted());
    QThread::msleep(azar.bounded(50, 1500));
    if (hijo.state() == QProcess::Running) {
      ::kill(static_cast<pid_t>(hijo.processId()), SIGKILL);
      Soak::Contar(Soak::Choques);
    }
    hijo.waitForFinished();
    Abrir(db);
    EXPECT_EQ(Integridad(), "ok");
    const QString despues = Padres();
    EXPECT_EQ(despues, padres);
    if (despues != padres) Soak::Contar(Soak::FilasPerdidas);
    host.reset();
    if (Arboles({"--db", db, "check", "3"}) != 0) {
      EXPECT_EQ(Arboles({"--db", db, "repair", "3"}), 0);
    }
    EXPECT_EQ(Arboles({"--db", db, "check", "3"}), 0);
  }
}

}  // namespace
