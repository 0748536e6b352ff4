#include "zolmar/cotalia/clasificacion_csv.h"

#include <QFile>
#include <QVariant>

#include "zolmar/db/rows/row_set.h"

namespace zolmar {

const QStringList ClasificacionCsv::kCabecera = {QStringLiteral("ID"),     QStringLiteral("ID_Padre"),
                                                 QStringLiteral("Nombre"), QStringLiteral("CriterioHijos"),
                                                 QStringLiteral("ID_IT"),  QStringLiteral("Nivel")};

const QStringList ClasificacionCsv::kColumnas = {QStringLiteral("ID"),     QStringLiteral("ID_Padre"),
                                                 QStringLiteral("Nombre"), QStringLiteral("CriterioHijos"),
                                                 QStringLiteral("Activo"), QStringLiteral("ID_IT"),
                                                 QStringLiteral("Nivel"),  QStringLiteral("zolmarID"),
                                                 QStringLiteral("Clave")};

namespace {

bool entero(const QString& texto, qint32* valor) {
  bool ok = false;
  *valor = texto.trimmed().toInt(&ok);
  return ok;
}

}  // namespace

QStringList ClasificacionCsv::Campos(const QString& linea) {
  QStringList campos;
  QString actual;
  bool entreComillas = false;
  for (qsizetype i = 0; i < linea.size(); ++i) {
    const QChar c = linea.at(i);
    if (entreComillas) {
      if (c != QLatin1Char('"'))
        actual += c;
      else if (i + 1 < linea.size() && linea.at(i + 1) == QLatin1Char('"'))
        actual += linea.at(++i);
      else
        entreComillas = false;
    } else if (c == QLatin1Char('"')) {
      entreComillas = true;
    } else if (c == QLatin1Char(';')) {
      campos << actual;
      actual.clear();
    } else {
      actual += c;
    }
  }
  campos << actual;
  return campos;
}

qint32 ClasificacionCsv::Fallo(qint32 codigo, qint32 linea, const QString& motivo) {
  codigo_ = codigo;
  descripcion_ = linea > 0 ? QStringLiteral("Fichero %1, línea %2: %3").arg(fichero_).arg(linea).arg(motivo)
                           : QStringLiteral("Fichero %1: %2").arg(fichero_, motivo);
  filas_.reset();
  return codigo_;
}

qint32 ClasificacionCsv::Leer(const QString& fichero) {
  fichero_ = fichero;
  leidas_.clear();
  posDeId_.clear();
  codigo_ = Correcto;
  descripcion_.clear();
  QFile file(fichero);
  if (!file.open(QIODevice::ReadOnly)) return Fallo(SinFichero, 0, QStringLiteral("no se puede abrir"));
  const QStringList lineas = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
  bool cabecera = false;
  for (qsizetype i = 0; i < lineas.size(); ++i) {
    QString texto = lineas.at(i);
    if (texto.endsWith(QLatin1Char('\r'))) texto.chop(1);
    if (i == 0 && texto.startsWith(QChar(0xFEFF))) texto.remove(0, 1);
    if (texto.trimmed().isEmpty()) continue;
    const qint32 linea = qint32(i + 1);
    if (!cabecera) {
      QStringList campos = Campos(texto);
      for (QString& c : campos) c = c.trimmed();
      if (campos.join(QLatin1Char(';')).compare(kCabecera.join(QLatin1Char(';')), Qt::CaseInsensitive) != 0)
        return Fallo(LineaIlegible, linea,
                     QStringLiteral("la cabecera debe ser %1").arg(kCabecera.join(QLatin1Char(';'))));
      cabecera = true;
      continue;
    }
    if (!LeerLinea(texto, linea)) return codigo_;
  }
  if (!cabecera) return Fallo(LineaIlegible, 0, QStringLiteral("el fichero está vacío"));
  if (!ComprobarPadres()) return codigo_;

  QVector<RowSet::Row> filas;
  filas.reserve(leidas_.size());
  for (const Fila& f : leidas_)
    filas.push_back({f.id, f.idPadre, f.nombre, f.criterio, 0, f.idIT, f.nivel, 0, QString()});
  filas_ = std::make_shared<RowSet>(kColumnas, std::move(filas), true);
  return Correcto;
}

bool ClasificacionCsv::LeerLinea(const QString& texto, qint32 linea) {
  const QStringList campos = Campos(texto);
  if (campos.size() != kCabecera.size()) {
    Fallo(LineaIlegible, linea,
          QStringLiteral("se esperaban %1 campos y hay %2").arg(kCabecera.size()).arg(campos.size()));
    return false;
  }
  Fila f;
  f.linea = linea;
  f.nombre = campos.at(2).trimmed();
  f.criterio = campos.at(3).trimmed();
  if (!entero(campos.at(0), &f.id) || f.id <= 0 || !entero(campos.at(1), &f.idPadre) || f.idPadre < 0 ||
      !entero(campos.at(4), &f.idIT) || !entero(campos.at(5), &f.nivel) || f.nombre.isEmpty()) {
    Fallo(LineaIlegible, linea, QStringLiteral("los campos no son válidos"));
    return false;
  }
  if (f.nivel < 0 || f.nivel > 2) {
    Fallo(NivelFueraDeRango, linea, QStringLiteral("el nivel %1 no está entre 0 y 2").arg(f.nivel));
    return false;
  }
  if (posDeId_.contains(f.id)) {
    Fallo(LineaIlegible, linea, QStringLiteral("el ID %1 está repetido").arg(f.id));
    return false;
  }
  posDeId_.insert(f.id, leidas_.size());
  leidas_.append(f);
  return true;
}

// A parent may come later in the file; the levels must follow the parents,
// because the import derives each new key's prefix from the level.
bool ClasificacionCsv::ComprobarPadres() {
  for (const Fila& f : leidas_) {
    if (f.idPadre == 0 && f.nivel != 0) {
      Fallo(NivelFueraDeRango, f.linea, QStringLiteral("una categoría sin padre debe tener el nivel 0"));
      return false;
    }
    if (f.idPadre != 0 && !posDeId_.contains(f.idPadre)) {
      Fallo(PadreDesconocido, f.linea, QStringLiteral("el padre %1 no está en el fichero").arg(f.idPadre));
      return false;
    }
  }
  for (const Fila& f : leidas_) {
    if (f.idPadre == 0) continue;
    const qint32 nivelPadre = leidas_.at(posDeId_.value(f.idPadre)).nivel;
    if (nivelPadre + 1 != f.nivel) {
      Fallo(NivelFueraDeRango, f.linea,
            QStringLiteral("el nivel %1 no sigue al de su padre (%2)").arg(f.nivel).arg(nivelPadre));
      return false;
    }
  }
  return true;
}

}  // namespace zolmar
