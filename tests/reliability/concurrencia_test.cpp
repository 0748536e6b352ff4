// Several processes on one database, a file or a company of a PostgreSQL
// server (as several computers share it). Four workers take the article
// editor's lock, raise a counter by hand, import documents, renumber and read
// the tree over and over, while a fifth takes the lock and is killed holding
// it: never two inside the lock at once, the dead holder's lock taken over at
// once, no raise of the counter lost, every refusal a clear one, no crash.
// And a database another program keeps busy: waited for, then refused with
// the reason, never a crash; readers do not wait.

#include <signal.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <ctime>

#include "choques_fixture.h"
#include "soak.h"
#include "zolmar/db/engine/pg_backend.h"

namespace {

// How soon a lock left by a dead process is taken over: the next attempt of
// another process takes it, and each worker tries several times a second.
constexpr qint64 kRelevoMs = 5000;

qint64 Ahora() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

QString Trabajador() { return QCoreApplication::applicationDirPath() + "/reliability_worker"; }

QProcess* Lanzar(const QStringList& args) {
  auto* p = new QProcess;
  p->start(Trabajador(), args);
  return p;
}

// The lock's log read back in order: never two holders, the dead one's lock
// taken over in time, and the counter's values one after another. Empty when
// sound; *suma is the counter's last value.
QString ComprobarCerrojo(const QString& log, qint32* suma) {
  QFile f(log);
  if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("sin registro");
  QString dentro;
  qint64 muerte = -1;
  *suma = 0;
  for (const QString& linea : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)) {
    const QStringList p = linea.split(' ');
    const qint64 t = p.last().toLongLong();
    if (p[0] == QLatin1String("entra")) {
      if (!dentro.isEmpty()) return QStringLiteral("%1 entra con %2 dentro").arg(p[1], dentro);
      if (muerte >= 0 && t - muerte > kRelevoMs)
        return QStringLiteral("el cerrojo del muerto tardó %1 ms en pasar").arg(t - muerte);
      muerte = -1;
      dentro = p[2];
    } else if (p[0] == QLatin1String("sale")) {
      if (dentro != p[2]) return QStringLiteral("%1 sale sin estar dentro").arg(p[1]);
      dentro.clear();
      if (p[3] != QLatin1String("-")) {
        if (p[3].toInt() != *suma + 1)
          return QStringLiteral("el contador pasó de %1 a %2").arg(*suma).arg(p[3]);
        *suma = p[3].toInt();
      }
    } else if (p[0] == QLatin1String("muerto")) {
      if (dentro != p[2]) return QStringLiteral("el muerto no estaba dentro");
      dentro.clear();
      muerte = t;
    }
  }
  return muerte >= 0 ? QStringLiteral("nadie tomó el cerrojo del muerto") : QString();
}

using Concurrencia = ChoquesFixture;

class ConcurrenciaEnUnaBase : public ChoquesFixture, public ::testing::WithParamInterface<const char*> {
 protected:
  bool EnServidor() const { return GetParam() == std::string("servidor"); }
  // What every process opens: a file of the folder (make test), or a company
  // of the test server (make test-pg); empty when the run tests the other one.
  QString Base(const QTemporaryDir& dir) const {
    const QString servidor = zolmar::testing::testServer();
    if (EnServidor() == servidor.isEmpty()) return QString();
    if (!EnServidor()) return dir.filePath("empresa.db");
    static int vez = 0;
    return zolmar::PgBackend::withSchema(
        servidor, QStringLiteral("Concurrencia_%1_%2").arg(QCoreApplication::applicationPid()).arg(++vez));
  }
};

INSTANTIATE_TEST_SUITE_P(Motores, ConcurrenciaEnUnaBase, ::testing::Values("fichero", "servidor"),
                         [](const auto& info) { return std::string(info.param); });

TEST_P(ConcurrenciaEnUnaBase, CuatroProcesosYUnoMuereConElCerrojo) {
  const qint32 segundos = Soak::Escala(6, 60);
  QTemporaryDir dir;
  const QString db = Base(dir);
  if (db.isEmpty())
    GTEST_SKIP() << (EnServidor() ? "no PostgreSQL server: run make test-pg"
                                  : "not on a server: the workers share an SQLite file under make test");
  const QString log = dir.filePath("cerrojo.log");
  const QString contador = dir.filePath("contador.json");
  ASSERT_EQ(Arboles({"--db", db, "init", "--sample"}), 0);
  {
    QFile f(contador);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({"TipoDocumento":9,"TipoArbol":3,"Contenido":[{"zolmarID":1,"ID_RamaOriginal":1,)"
            R"("ID_RamaPadreOriginal":0,"Nombre":"Contador 0"}]})");
  }
  ASSERT_EQ(Arboles({"--db", db, "import", contador}), 0);
  QList<QProcess*> trabajadores;
  for (int w = 1; w <= 4; ++w)
    trabajadores << Lanzar({db, log, QString::number(segundos), QStringLiteral("W%1").arg(w)});
  QThread::msleep(static_cast<unsigned long>(segundos) * 1000 / 3);
  std::unique_ptr<QProcess> retenedor(Lanzar({db, log, "--retener", "R"}));
  ASSERT_TRUE(retenedor->waitForReadyRead(30000)) << retenedor->readAllStandardError().toStdString();
  const qint64 pid = retenedor->processId();
  ::kill(static_cast<pid_t>(pid), SIGKILL);
  retenedor->waitForFinished();
  {
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(QStringLiteral("muerto R %1 %2\n").arg(pid).arg(Ahora()).toUtf8());
  }
  Soak::Contar(Soak::Choques);
  // On a loaded machine the holder may get the lock only when the others are
  // about to stop: one more worker makes sure someone asks after the death.
  trabajadores << Lanzar({db, log, QStringLiteral("2"), QStringLiteral("W5")});
  QStringList importados;
  for (QProcess* p : trabajadores) {
    ASSERT_TRUE(p->waitForFinished(segundos * 1000 + 120000));
    EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p->exitCode(), 0);
    const QString errores = QString::fromUtf8(p->readAllStandardError());
    EXPECT_FALSE(errores.contains("Segmentation") || errores.contains("terminate called"))
        << errores.toStdString();
    for (const QString& linea :
         QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
      const QStringList partes = linea.split(' ');
      ASSERT_EQ(partes.size(), 3) << linea.toStdString();
      Soak::Contar(Soak::Operaciones);
      EXPECT_TRUE(partes[2] == "0" || partes[2] == "1" || partes[2] == "ocupado") << linea.toStdString();
      if (partes[0] == "import" && partes[2] == "0") importados << partes[1];
    }
    delete p;
  }
  qint32 suma = 0;
  EXPECT_EQ(ComprobarCerrojo(log, &suma).toStdString(), "");
  EXPECT_GT(suma, 0);
  EXPECT_GT(importados.size(), 0);
  QString salida;
  EXPECT_EQ(Arboles({"--db", db, "check", "3"}, &salida), 0) << salida.toStdString();
  Abrir(db);
  EXPECT_EQ(Valor("SELECT Nombre FROM Arboles WHERE Nombre LIKE 'Contador %'").toString().toStdString(),
            QStringLiteral("Contador %1").arg(suma).toStdString());
  for (const QString& nombre : importados) {
    const qint32 n =
        Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE Nombre='%1'").arg(nombre)).toInt();
    EXPECT_EQ(n, 1) << nombre.toStdString();
    if (n != 1) Soak::Contar(Soak::FilasPerdidas);
  }
  Cerrar();
}

TEST_F(Concurrencia, UnaBaseOcupadaSeEsperaYLuegoSeRechazaConElMotivo) {
  SKIP_ON_SERVER("the database kept busy is an SQLite file locked by another program");
  QTemporaryDir dir;
  const QString db = dir.filePath("empresa.db");
  ASSERT_EQ(Arboles({"--db", db, "init", "--sample"}), 0);
  const struct {
    const char* caso;
    QStringList orden;
    qint32 ocupadaMs;  // how long another program keeps a write open
    int salida;
    const char* mensaje;
  } casos[] = {
      {"quien lee no espera", {"check", "3"}, 8000, 0, ""},
      {"se espera a que acabe", {"renumber", "3"}, 1000, 0, ""},
      {"se rechaza pasado el plazo",
       {"renumber", "3"},
       8000,
       1,
       "arboles: La base de datos está bloqueada por otro proceso; reintente más tarde"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    sqlite3* otro = nullptr;
    ASSERT_EQ(sqlite3_open(db.toUtf8().constData(), &otro), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(otro, "BEGIN IMMEDIATE; UPDATE ZolmarConfig SET Valor=Valor", nullptr, nullptr, nullptr),
        SQLITE_OK);
    QElapsedTimer reloj;
    reloj.start();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(Programa(), QStringList{"--db", db} + c.orden);
    p.waitForFinished(c.ocupadaMs);
    sqlite3_exec(otro, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(otro);
    ASSERT_TRUE(p.state() == QProcess::NotRunning || p.waitForFinished(30000));
    const qint64 ms = reloj.elapsed();
    Soak::Contar(Soak::Operaciones);
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), c.salida);
    const QString salida = QString::fromUtf8(p.readAll());
    if (*c.mensaje) {
      EXPECT_EQ(salida.trimmed().toStdString(), c.mensaje);
    }
    // The reader is done long before the writer; the writer only after it.
    if (c.salida == 0) {
      EXPECT_EQ(ms < c.ocupadaMs, c.orden.first() == "check") << ms;
    }
  }
}

}  // namespace
