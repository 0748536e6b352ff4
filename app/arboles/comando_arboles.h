#pragma once
// The administrator's command line over one database file:
//   arboles --db FICHERO init [--sample] | show|check|repair|paths TIPO |
//           renumber TIPO [--keep-order] | delete ID |
//           merge ORIGEN DESTINO [--delete] | move NODO NUEVO_PADRE |
//           import [--exact] DOCUMENTO | export TIPO DOCUMENTO |
//           report TIPO ... | backup | restore [COPIA]
// Exit status 0 on success, 1 on a refused operation, an unsound tree or a
// database that cannot be opened, 2 on bad usage or an output file refused
// (a database is never written over). "arboles --help" prints the usage.

#include <QStringList>
#include <QTextStream>
#include <memory>

namespace arboles {
class cTAZ_Arboles;
}

namespace zolmar {

class Host;

class ComandoArboles {
 public:
  enum Salida : int { Correcto = 0, Rechazado = 1, UsoIncorrecto = 2 };

  ComandoArboles(QTextStream& out, QTextStream& err);
  ~ComandoArboles();

  // args without the program name.
  int Ejecutar(const QStringList& args);

  static QString Uso();

 private:
  int Despachar(const QString& orden, const QStringList& resto);
  bool AbrirBase();
  int Init(const QStringList& resto);
  int Show(qint32 tipo);
  int Check(qint32 tipo);
  int Repair(qint32 tipo);
  int Renumber(qint32 tipo, bool conservarOrden);
  int Paths(qint32 tipo);
  int Delete(qint32 id);
  int Organizar(bool unir, const QStringList& resto);
  int Reorganizar(bool unir, qint32 origen, qint32 destino, bool borrar, qint32 tipo);
  int Intercambio(const QString& orden, const QStringList& resto);
  int Import(const QString& documento, bool exacta);
  int Export(qint32 tipo, const QString& documento);
  int Report(const QStringList& resto);
  int ReportCategorias(const QStringList& resto);
  int Copias(const QString& orden, const QStringList& resto);
  int MalUso(const QString& motivo);
  // The message alone, the system's reasons in it translated; exit status 1.
  int Error(const QString& mensaje);
  int Bloqueado(qint32 tipo);
  QString NombreBase() const;

  QTextStream& out_;
  QTextStream& err_;
  QString fichero_;
  std::unique_ptr<Host> host_;
  std::shared_ptr<arboles::cTAZ_Arboles> taz_;
};

}  // namespace zolmar
