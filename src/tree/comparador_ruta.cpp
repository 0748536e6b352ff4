#include "tree/comparador_ruta.h"

#include <algorithm>
#include <cstring>

namespace arboles {

namespace {

bool esContinuacion(char c) { return (static_cast<uchar>(c) & 0xC0) == 0x80; }

// The code point that starts at p (n bytes available) and its length, or 0
// for a sequence QString::fromUtf8 would not decode as one plain character:
// malformed, overlong, a surrogate, past U+10FFFF, a byte-order mark (dropped
// at the start of a text) or a noncharacter.
qsizetype leerCaracter(const uchar* p, qsizetype n, char32_t* punto) {
  qsizetype largo;
  char32_t cp;
  char32_t minimo;
  if ((p[0] & 0xE0) == 0xC0) {
    largo = 2, cp = p[0] & 0x1F, minimo = 0x80;
  } else if ((p[0] & 0xF0) == 0xE0) {
    largo = 3, cp = p[0] & 0x0F, minimo = 0x800;
  } else if ((p[0] & 0xF8) == 0xF0) {
    largo = 4, cp = p[0] & 0x07, minimo = 0x10000;
  } else {
    return 0;
  }
  if (n < largo) return 0;
  for (qsizetype k = 1; k < largo; ++k) {
    if ((p[k] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[k] & 0x3F);
  }
  const bool corriente = cp >= minimo && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF) && cp != 0xFEFF &&
                         (cp < 0xFDD0 || cp > 0xFDEF) && (cp & 0xFFFE) != 0xFFFE;
  if (!corriente) return 0;
  *punto = cp;
  return largo;
}

// Plain ASCII is read a word at a time.
bool ochoAscii(const uchar* p) {
  quint64 ocho;
  std::memcpy(&ocho, p, sizeof ocho);
  return (ocho & 0x8080808080808080ULL) == 0;
}

// Characters in the text, or -1 when it holds anything but plain characters.
qsizetype largoCaracteres(QByteArrayView texto) {
  const auto* p = reinterpret_cast<const uchar*>(texto.data());
  const qsizetype n = texto.size();
  qsizetype unidades = 0;
  for (qsizetype i = 0; i < n;) {
    if (n - i >= 8 && ochoAscii(p + i)) {
      i += 8, unidades += 8;
      continue;
    }
    if (p[i] < 0x80) {
      ++i, ++unidades;
      continue;
    }
    char32_t cp = 0;
    const qsizetype largo = leerCaracter(p + i, n - i, &cp);
    if (largo == 0) return -1;
    i += largo;
    ++unidades;
  }
  return unidades;
}

// The first n characters (code points, as the database's LEFT counts them).
QStringView primeros(QStringView texto, qsizetype n) {
  qsizetype i = 0;
  for (qsizetype k = 0; k < n && i < texto.size(); ++k)
    i += texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate() ? 2 : 1;
  return texto.left(i);
}

bool iguales(QByteArrayView a, QByteArrayView b, qsizetype n) {
  return n == 0 || std::memcmp(a.data(), b.data(), static_cast<size_t>(n)) == 0;
}

}  // namespace

QString ComparadorRuta::Esperada(const QString& base, const QString& nombre) {
  return primeros(base + nombre + QLatin1Char(':'), Largo).toString();
}

bool ComparadorRuta::Coincide(const QString& ruta, const QString& base, const QString& nombre) {
  // Cheap refusals first: the path has to start with the base and the name.
  const qsizetype deBase = std::min(ruta.size(), base.size());
  if (QStringView(ruta).left(deBase) != QStringView(base).left(deBase)) return false;
  return ruta == Esperada(base, nombre);
}

// Plain UTF-8 decodes piece by piece as it decodes whole, so a path that is
// the first bytes of base + nombre + ":" is the expected one when it holds
// all of them within the width, or exactly the width's worth of them.
bool ComparadorRuta::CoincideUtf8(QByteArrayView ruta, QByteArrayView base, QByteArrayView nombre) {
  const qsizetype total = base.size() + nombre.size() + 1;
  if (ruta.size() > total) return false;
  const qsizetype deBase = std::min(ruta.size(), base.size());
  if (!iguales(ruta, base, deBase)) return false;
  const qsizetype deNombre = std::min(ruta.size() - deBase, nombre.size());
  if (!iguales(ruta.sliced(deBase), nombre, deNombre)) return false;
  if (ruta.size() == total && ruta.back() != ':') return false;
  // A character begun in the base and ended in the name is no character of either.
  if (base.size() < ruta.size() && esContinuacion(ruta[base.size()])) return false;
  const qsizetype unidades = largoCaracteres(ruta);
  if (unidades < 0) return false;
  return ruta.size() == total ? unidades <= Largo : unidades == Largo;
}

}  // namespace arboles
