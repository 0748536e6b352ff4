#pragma once
// The administrator's command line over one database file:
//   arboles --db FICHERO init [--sample] | show|check|repair|paths TIPO |
//           renumber TIPO [--keep-order] | delete ID | report TIPO ...
// Exit status 0 on success, 1 on a refused operation or an unsound tree,
// 2 on bad usage.

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
  int Report(const QStringList& resto);
  int MalUso(const QString& motivo);
  int Bloqueado(qint32 tipo);
  QString NombreBase() const;

  QTextStream& out_;
  QTextStream& err_;
  QString fichero_;
  std::unique_ptr<Host> host_;
  std::shared_ptr<arboles::cTAZ_Arboles> taz_;
};

}  // namespace zolmar
