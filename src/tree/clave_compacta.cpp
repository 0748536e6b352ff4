#include "tree/clave_compacta.h"

#include "tree/clave_arbol.h"

namespace arboles {

namespace {

constexpr qint32 kBitsSegmento = 8;

qint32 digitoMayuscula(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

quint8 byteDeNivel(quint64 clave, qint32 nivel) {
  return static_cast<quint8>(clave >> ((ClaveArbol::Niveles - nivel) * kBitsSegmento));
}

}  // namespace

bool ClaveCompacta::Leer(QByteArrayView texto, quint64* clave) {
  if (texto.size() != ClaveArbol::Longitud) return false;
  quint64 valor = 0;
  for (char c : texto) {
    const qint32 digito = digitoMayuscula(c);
    if (digito < 0) return false;
    valor = (valor << 4) | static_cast<quint64>(digito);
  }
  // Past the first empty segment every segment is empty.
  const qint32 usados = Nivel(valor);
  if (usados < ClaveArbol::Niveles && (valor & (~0ULL >> (usados * kBitsSegmento))) != 0) return false;
  *clave = valor;
  return true;
}

qint32 ClaveCompacta::Nivel(quint64 clave) {
  qint32 nivel = 0;
  while (nivel < ClaveArbol::Niveles && byteDeNivel(clave, nivel + 1) != 0) ++nivel;
  return nivel;
}

QString ClaveCompacta::Texto(quint64 clave) {
  return QString::number(clave, 16).toUpper().rightJustified(ClaveArbol::Longitud, QLatin1Char('0'));
}

QString ClaveCompacta::Segmento(quint64 clave, qint32 nivel) {
  return ClaveArbol::NumeroASegmento(byteDeNivel(clave, nivel));
}

bool ClaveCompacta::MismoPrefijo(quint64 a, quint64 b, qint32 niveles) {
  if (niveles <= 0) return true;
  if (niveles >= ClaveArbol::Niveles) return a == b;
  const qint32 resto = (ClaveArbol::Niveles - niveles) * kBitsSegmento;
  return (a >> resto) == (b >> resto);
}

}  // namespace arboles
