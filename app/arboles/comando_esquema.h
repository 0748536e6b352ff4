#pragma once
// arboles schema sqlite|postgresql|sqlserver [empresa|instalacion|consultor]:
// prints the script that creates the tables of one database of the server,
// for an administrator who prefers to run it himself. Exit status 0, or 2 on
// bad usage.

#include <QStringList>
#include <QTextStream>

namespace zolmar {

class ComandoEsquema {
 public:
  ComandoEsquema(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

  // args after "schema".
  int Ejecutar(const QStringList& args);

 private:
  QTextStream& out_;
  QTextStream& err_;
};

}  // namespace zolmar
