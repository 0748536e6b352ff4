// One of the processes the concurrency test runs on one database file. In a
// loop until its time is up: the article-tree editor opened (its lock
// taken), the counter node's name read, a pause, the name saved one higher,
// the editor closed; a document imported; the tree renumbered; the tree read.
// Each time it holds the editor's lock it appends "entra" and "sale" lines to
// a log shared by every process. One line per step on standard output.
//
//   reliability_worker DB LOG SECONDS NAME        the loop
//   reliability_worker DB LOG --retener NAME      takes the lock and keeps it

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QThread>
#include <ctime>
#include <memory>

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "import/imp_exp.h"
#include "tree/taz_arboles.h"
#include "zolmar/exchange/exchange_document.h"
#include "zolmar/exchange/exchange_import.h"
#include "zolmar/host.h"
#include "zolmar/services/platform_messages.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

namespace {

// Milliseconds on a clock every process of the machine shares.
qint64 Ahora() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// One write per line with O_APPEND: lines of different processes never mix.
void Anotar(const QString& log, const QString& linea) {
  const QByteArray texto = (linea + QStringLiteral(" %1\n").arg(Ahora())).toUtf8();
  const int fd = ::open(log.toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
  if (fd < 0) return;
  if (::write(fd, texto.constData(), static_cast<size_t>(texto.size())) < 0) perror("log");
  ::close(fd);
}

void Decir(const QString& linea) {
  std::printf("%s\n", linea.toUtf8().constData());
  std::fflush(stdout);
}

class Trabajador {
 public:
  Trabajador(const QString& db, QString log, QString nombre)
      : host_(zolmar::Host::open(db)), log_(std::move(log)), nombre_(std::move(nombre)) {
    host_->useScriptedUserInterface();
    taz_ = std::make_shared<arboles::cTAZ_Arboles>();
    auto app = host_->appGlobal();
    taz_->I_TAZ_Configure(app->GetGlobales(), app);
    cn_ = app->GetGlobales()->GetConnection();
    contador_ =
        cn_->ExecuteSQL("SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Nombre LIKE 'Contador %'", 2, 0)
            .toInt();
  }

  // The editor open on the counter, its lock held; null when refused.
  std::unique_ptr<arboles::FrmArboles> Editor() {
    host_->scriptedUserInterface().clear();
    auto f = std::make_unique<arboles::FrmArboles>();
    if (!f->Run(*taz_, 3, false)) return nullptr;
    Anotar(log_, QStringLiteral("entra %1 %2").arg(nombre_).arg(QCoreApplication::applicationPid()));
    return f;
  }

  void Sumar() {
    auto f = Editor();
    if (!f) {
      Decir("editor - ocupado");
      return;
    }
    const qint32 n =
        cn_->ExecuteSQL(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(contador_), 2,
                        QString())
            .toString()
            .section(' ', 1)
            .toInt();
    QThread::msleep(QRandomGenerator::global()->bounded(5, 40));
    f->TreeArbol->ClickNode(QStringLiteral("K=%1").arg(contador_));
    f->CtlFicha->pressEdit();
    f->getNombre->setText(QStringLiteral("Contador %1").arg(n + 1));
    f->btnGuardar->Click();
    const bool guardado = f->CtlFicha->Mode() == zolmar::CtlFicha::Browsing;
    if (!guardado) f->CtlFicha->CancelEdit();
    // The mark goes before the lock does.
    Anotar(log_, QStringLiteral("sale %1 %2 %3")
                     .arg(nombre_)
                     .arg(QCoreApplication::applicationPid())
                     .arg(guardado ? QString::number(n + 1) : QStringLiteral("-")));
    f->Unload();
    Decir(guardado ? QStringLiteral("editor - 0") : QStringLiteral("editor - 1"));
  }

  void Importar(qint32 vez) {
    const QString rama = QStringLiteral("%1-%2").arg(nombre_).arg(vez);
    const QJsonArray contenido{
        QJsonObject{{"zolmarID", 1}, {"ID_RamaOriginal", 1}, {"ID_RamaPadreOriginal", 0}, {"Nombre", rama}},
        QJsonObject{
            {"zolmarID", 2}, {"ID_RamaOriginal", 2}, {"ID_RamaPadreOriginal", 1}, {"Nombre", "Hoja"}}};
    zolmar::ExchangeDocument documento;
    documento.parse(
        QJsonDocument(QJsonObject{{"TipoDocumento", 9}, {"TipoArbol", 3}, {"Contenido", contenido}}).toJson(),
        rama);
    auto handler = std::make_shared<arboles::cImp_Exp>();
    handler->Configure(taz_);
    const auto r = zolmar::ExchangeImport(host_->appGlobal(), handler).importDocument(documento);
    Decir(QStringLiteral("import %1 %2").arg(rama).arg(r.result == 0 ? 0 : 1));
  }

  void Renumerar() {
    taz_->OrdenarClavesNombre(3, true, true);
    Decir(QStringLiteral("renumber - %1").arg(cn_->HasError() ? 1 : 0));
  }

  void Leer() {
    const qint32 n = cn_->ExecuteSQL("SELECT COUNT(*) FROM Arboles WHERE Tipo=3", 2, 0).toInt();
    Decir(QStringLiteral("read - %1").arg(n > 0 ? 0 : 1));
  }

  // Holds the lock until killed.
  [[noreturn]] void Retener() {
    std::unique_ptr<arboles::FrmArboles> f;
    while (!(f = Editor())) QThread::msleep(20);
    Decir("retiene");
    for (;;) QThread::sleep(1);
  }

 private:
  std::unique_ptr<zolmar::Host> host_;
  std::shared_ptr<arboles::cTAZ_Arboles> taz_;
  std::shared_ptr<arboles::IConnection> cn_;
  QString log_;
  QString nombre_;
  qint32 contador_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  zolmar::PlatformMessages::prepareRuntimeFolder();
  zolmar::PlatformMessages::install();
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 5) {
    std::fprintf(stderr, "uso: %s DB LOG SEGUNDOS|--retener NOMBRE\n", argv[0]);
    return 2;
  }
  Trabajador t(args[1], args[2], args[4]);
  if (args[3] == QLatin1String("--retener")) t.Retener();
  const qint64 fin = Ahora() + args[3].toLongLong() * 1000;
  for (qint32 vez = 1; Ahora() < fin; ++vez) {
    t.Sumar();
    t.Importar(vez);
    t.Renumerar();
    t.Leer();
  }
  return 0;
}
