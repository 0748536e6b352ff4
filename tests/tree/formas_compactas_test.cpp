// The compact forms the tree check keeps must mean what the text forms mean.

#include <gtest/gtest.h>

#include "tree/clave_arbol.h"
#include "tree/clave_compacta.h"
#include "tree/comparador_ruta.h"

using arboles::ClaveArbol;
using arboles::ClaveCompacta;
using arboles::ComparadorRuta;

TEST(FormasCompactas, LaClaveNumericaDiceLoMismoQueSuTexto) {
  const char* claves[] = {"0100000000000000",
                          "0103000000000000",
                          "FFFFFFFFFFFFFFFF",
                          "0102030405060708",
                          "0000000000000000",
                          "0A0B0C0D00000000",
                          "0100010000000000",
                          "0a00000000000000",
                          "01",
                          "01000000000000000",
                          "01G0000000000000",
                          "ñ100000000000000",
                          " 100000000000000",
                          "",
                          "0000000000000001",
                          "FF000000000000F0"};
  for (const char* texto : claves) {
    SCOPED_TRACE(texto);
    const QString clave = QString::fromUtf8(texto);
    quint64 numero = 0;
    ASSERT_EQ(ClaveCompacta::Leer(QByteArrayView(texto), &numero), ClaveArbol::EsValida(clave));
    if (!ClaveArbol::EsValida(clave)) continue;
    EXPECT_EQ(ClaveCompacta::Texto(numero), clave);
    EXPECT_EQ(ClaveCompacta::Nivel(numero), ClaveArbol::ObtenerNivel(clave));
    for (qint32 nivel = 1; nivel <= ClaveArbol::Niveles; ++nivel)
      EXPECT_EQ(ClaveCompacta::Segmento(numero, nivel), ClaveArbol::Segmento(clave, nivel)) << nivel;
  }
}

// The UTF-8 comparison may leave a case to the text one, never contradict it,
// and decides by itself whatever plain text gives it.
TEST(FormasCompactas, LaRutaEnUtf8NuncaContradiceALaDeTexto) {
  const QByteArray largo(140, 'a');
  const QByteArray enes = QString(145, QChar(0x00F1)).toUtf8();  // 290 bytes, 145 characters
  const QByteArray bes(147, 'b');
  const struct {
    const char* caso;
    QByteArray base, nombre, ruta;
    bool llano;  // nothing only the decoded text can tell
  } casos[] = {
      {"al día", "Bebidas:", "Vinos", "Bebidas:Vinos:", true},
      {"raíz", "", "Droguería", "Droguería:", true},
      {"otro nombre", "Bebidas:", "Vinos", "Bebidas:Licores:", true},
      {"sin los dos puntos", "Bebidas:", "Vinos", "Bebidas:Vinos", true},
      {"de más", "Bebidas:", "Vinos", "Bebidas:Vinos::", true},
      {"cortada a 150", largo + ":", "Tintos de Rioja", largo + ":Tintos de", true},
      {"cortada de menos", largo + ":", "Tintos de Rioja", largo + ":Tintos d", true},
      {"sin cortar", largo + ":", "Tintos de Rioja", largo + ":Tintos de Rioja:", true},
      {"acentos cortados por caracteres", enes + ":", "Cañas", enes + ":Caña", true},
      {"acentos cortados por bytes", enes + ":", "Cañas", (enes + ":Cañas:").left(150), true},
      {"emoji contado como dos", bes, "😀ab", bes + "😀a", true},
      {"emoji contado como uno", bes, "😀ab", bes + "😀ab", true},
      {"emoji justo en el corte", QByteArray(149, 'b'), "😀", QByteArray(149, 'b') + "😀", true},
      {"carácter entre base y nombre", "Caf\xC3", "\xA9 solo", "Caf\xC3\xA9 solo:", false},
      {"UTF-8 roto", "Bebidas:", "Vin\xFFos", "Bebidas:Vin\xFFos:", false},
      {"marca de orden al principio", "", "\xEF\xBB\xBFVinos", "\xEF\xBB\xBFVinos:", false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.caso);
    const bool texto = ComparadorRuta::Coincide(QString::fromUtf8(c.ruta), QString::fromUtf8(c.base),
                                                QString::fromUtf8(c.nombre));
    const bool utf8 = ComparadorRuta::CoincideUtf8(c.ruta, c.base, c.nombre);
    EXPECT_TRUE(!utf8 || texto);
    EXPECT_TRUE(!c.llano || utf8 == texto);
    EXPECT_EQ(texto, ComparadorRuta::Esperada(QString::fromUtf8(c.base), QString::fromUtf8(c.nombre)) ==
                         QString::fromUtf8(c.ruta));
  }
}
