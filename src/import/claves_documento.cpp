#include "import/claves_documento.h"

#include "host/i_list_object.h"
#include "tree/clave_arbol.h"

namespace arboles {

const QString ClavesDocumento::SinClave = QString(ClaveArbol::Longitud, QLatin1Char(' '));

void ClavesDocumento::AsignarClaves() {
  // The first row still without a key, again and again: a key once given is
  // never taken back, so one pass down the list finds them in the same order
  // (and no index of the key column is kept up to date on every key written).
  const qint32 filas = lista_.RowCount();
  for (qint32 fila = 1; fila <= filas; ++fila)
    if (lista_.Cell(1, fila).toString() == SinClave && AsignarClave(fila).isEmpty()) return;
}

QString ClavesDocumento::AsignarClave(qint32 fila, qint32 profundidad) {
  const QString actual = lista_.Cell(1, fila).toString().trimmed();
  if (!actual.isEmpty()) return actual;
  // A chain longer than the levels of a key has no key to give; a cycle of
  // parents in the document ends here too instead of recursing forever.
  if (profundidad > ClaveArbol::Niveles) return {};
  QString clavePadre;
  const QVariant padreOriginal = lista_.Cell(3, fila);
  if (padreOriginal.toLongLong() != 0) {
    const qint32 padre = lista_.Find(2, padreOriginal);
    if (padre < 1) return {};
    clavePadre = AsignarClave(padre, profundidad + 1);
    if (clavePadre.isEmpty()) return {};
  }
  const QString clave = clavePadre + ClaveArbol::NumeroASegmento(++hijos_[clavePadre]);
  lista_.SetCell(1, fila, clave);
  return clave;
}

}  // namespace arboles
