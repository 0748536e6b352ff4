#pragma once
// The position key of a tree node: 16 characters, 8 levels of two upper-case
// hexadecimal digits ("01".."FF"), "00" for a level that is not used.

#include <QString>

namespace arboles {

class ClaveArbol {
 public:
  static constexpr qint32 Longitud = 16;
  static constexpr qint32 Niveles = 8;
  static constexpr qint32 MaxHijos = 255;
  static const QString MensajeMaxHijos;
  static const QString SegmentoVacio;  // "00"

  // Reads a segment the way "&H" + text converts: leading hexadecimal digits
  // (either case), stopping at the first other character; nothing gives 0.
  static qint32 SegmentoANumero(const QString& segmento);
  // Upper-case hexadecimal, left-padded with "0" to 2 characters. Past 255 the
  // text grows to 3 characters: callers check MaxHijos first.
  static QString NumeroASegmento(qint32 numero);
  // Right-pads with "0" to 16 characters; a longer text is returned unchanged.
  static QString Rellenar(const QString& prefijo);
  // Number of leading used segments (0 to 8) of the first 16 characters,
  // stopping at the first "00"; a short key counts as padded with "0".
  static qint32 ObtenerNivel(const QString& clave);
  // The used prefix: 2 characters per level ("0103" for "0103000000000000").
  static QString Prefijo(const QString& clave);
  // Segment of level 1..8 (characters 2k-1 and 2k), "00" past the end.
  static QString Segmento(const QString& clave, qint32 nivel);
  // Key of the child at 1-based position `numero` under the prefix.
  static QString ClaveHijo(const QString& prefijoPadre, qint32 numero);
  // 1-based character position of a level's segment, for SUBSTRING(clave, pos, 2).
  static qint32 PosicionSegmento(qint32 nivel);
  // Segment that follows the greatest one in use; empty when that would be
  // past "FF" (the 256th child is refused).
  static QString SiguienteSegmento(const QString& mayorEnUso);
  // LIKE pattern of every descendant of the node with this key: prefix + "%".
  static QString PatronDescendientes(const QString& clave);
  // LIKE pattern of the direct children: prefix, any segment, "0" fill. The
  // parent's own key also matches it (its next segment is "00"); EsHijoDirecto
  // tells them apart. Empty for a level-8 key.
  static QString PatronHijos(const QString& clave);
  static bool EsHijoDirecto(const QString& clavePadre, const QString& claveHijo);
  // Well formed: 16 upper-case hexadecimal characters, every used segment
  // before the first "00" and none after it.
  static bool EsValida(const QString& clave);
};

}  // namespace arboles
