#include "import/claves_documento.h"

#include "host/i_list_object.h"
#include "tree/clave_arbol.h"

namespace arboles {

const QString ClavesDocumento::SinClave = QString(ClaveArbol::Longitud, QLatin1Char(' '));

void ClavesDocumento::AsignarClaves() {
  // The list finds through an index, so this loop stays linear.
  for (qint32 fila = lista_.Find(1, SinClave); fila >= 1; fila = lista_.Find(1, SinClave))
    if (AsignarClave(fila).isEmpty()) return;
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
