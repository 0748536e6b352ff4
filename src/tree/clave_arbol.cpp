#include "tree/clave_arbol.h"

namespace arboles {

const QString ClaveArbol::MensajeMaxHijos =
    QStringLiteral("No puede crear mas de 255 elementos para un mismo nivel de una rama");
const QString ClaveArbol::SegmentoVacio = QStringLiteral("00");

namespace {

qint32 valorHex(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  return -1;
}

bool esHexMayuscula(QChar c) {
  const char16_t u = c.unicode();
  return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F');
}

}  // namespace

qint32 ClaveArbol::SegmentoANumero(const QString& segmento) {
  qint32 numero = 0;
  for (QChar c : segmento) {
    const qint32 digito = valorHex(c);
    if (digito < 0) break;
    numero = numero * 16 + digito;
  }
  return numero;
}

QString ClaveArbol::NumeroASegmento(qint32 numero) {
  return QString::number(numero, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QString ClaveArbol::Rellenar(const QString& prefijo) {
  return prefijo.leftJustified(Longitud, QLatin1Char('0'));
}

qint32 ClaveArbol::ObtenerNivel(const QString& clave) {
  const QString completa = clave.left(Longitud) + QStringLiteral("0000000000000000");
  qint32 nivel = 0;
  while (nivel < Niveles && completa.mid(nivel * 2, 2) != SegmentoVacio) ++nivel;
  return nivel;
}

QString ClaveArbol::Prefijo(const QString& clave) { return clave.left(ObtenerNivel(clave) * 2); }

QString ClaveArbol::Segmento(const QString& clave, qint32 nivel) {
  return Rellenar(clave).mid(PosicionSegmento(nivel) - 1, 2);
}

QString ClaveArbol::ClaveHijo(const QString& prefijoPadre, qint32 numero) {
  return Rellenar(prefijoPadre + NumeroASegmento(numero));
}

qint32 ClaveArbol::PosicionSegmento(qint32 nivel) { return nivel * 2 - 1; }

QString ClaveArbol::SiguienteSegmento(const QString& mayorEnUso) {
  const qint32 siguiente = SegmentoANumero(mayorEnUso) + 1;
  return siguiente > MaxHijos ? QString() : NumeroASegmento(siguiente);
}

QString ClaveArbol::PatronDescendientes(const QString& clave) { return Prefijo(clave) + QLatin1Char('%'); }

QString ClaveArbol::PatronHijos(const QString& clave) {
  const QString prefijo = Prefijo(clave);
  if (prefijo.size() >= Longitud) return QString();  // a level-8 node has no room for children
  return prefijo + QStringLiteral("__") + QString(Longitud - prefijo.size() - 2, QLatin1Char('0'));
}

bool ClaveArbol::EsHijoDirecto(const QString& clavePadre, const QString& claveHijo) {
  const qint32 nivelPadre = ObtenerNivel(clavePadre);
  return ObtenerNivel(claveHijo) == nivelPadre + 1 && claveHijo.startsWith(Prefijo(clavePadre));
}

bool ClaveArbol::EsValida(const QString& clave) {
  if (clave.size() != Longitud) return false;
  for (QChar c : clave)
    if (!esHexMayuscula(c)) return false;
  const qint32 usados = ObtenerNivel(clave) * 2;
  for (qint32 i = usados; i < Longitud; ++i)
    if (clave[i] != QLatin1Char('0')) return false;
  return true;
}

}  // namespace arboles
