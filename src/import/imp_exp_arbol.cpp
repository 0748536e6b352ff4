// cImp_Exp: the merge of one tree document into Arboles.

#include <algorithm>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "host/i_insert_builder.h"
#include "host/i_list_object.h"
#include "host/i_recordset.h"
#include "import/claves_documento.h"
#include "import/error_importacion.h"
#include "import/imp_exp.h"
#include "tree/bloqueo_tabla.h"
#include "tree/clave_arbol.h"

namespace arboles {

namespace {

const QString kTabla = QStringLiteral("Arboles");
constexpr qint32 kLargoNombre = 50;
constexpr qint32 kLargoRuta = 150;

}  // namespace

void cImp_Exp::ImportarArbol(std::shared_ptr<IDataImp>& oTAZ_Data_Imp, QString& cStatus,
                             IRecordset& oDatosCabecera, RecordsetPtr& oDatosContenido) {
  try {
    const qint32 tipo = oDatosCabecera.Field(QStringLiteral("TipoArbol")).toInt();
    tipo_ = tipo;
    {
      // Released on every way out of this block, a raised error included.
      BloqueoTabla bloqueo(oAppGlobal, kTabla, QStringLiteral("Tipo=") + QString::number(tipo), 2);
      if (!bloqueo.Obtenido()) {
        cStatus = oAppGlobal->Translate(QString::fromUtf8(
            "No pudo bloquearse la tabla de árboles. Reintente el proceso en otro momento."));
        return;
      }
      auto builder = oGlobales->CreateInsertBuilder(oCn, kTabla);
      auto lista = oGlobales->CreateListObject();
      IRecordset& contenido = *oDatosContenido;
      lista->Init(1, 4, 1, contenido.RecordCount());
      for (contenido.SetPosition(0); contenido.Read();) {
        const qint32 p = contenido.Position();
        lista->SetCell(1, p, ClavesDocumento::SinClave);
        lista->SetCell(2, p, contenido.Field(QStringLiteral("ID_RamaOriginal")));
        lista->SetCell(3, p, contenido.Field(QStringLiteral("ID_RamaPadreOriginal")));
        lista->SetCell(4, p, p);  // the document row, found again once sorted
      }
      ClavesDocumento(*lista).AsignarClaves();
      // Every branch now follows its parent, depth first.
      lista->Sort(1);
      if (!CrearRamas(oTAZ_Data_Imp.get(), cStatus, tipo, contenido, *lista, *builder)) return;
      oDatosContenido.reset();
    }
    if (oTAZ_Data_Imp) oTAZ_Data_Imp->FinImportacion(true, true, true);
  } catch (const std::exception& e) {
    if (!cStatus.isEmpty()) return;
    const auto* propio = dynamic_cast<const ErrorImportacion*>(&e);
    const qint32 numero = propio ? propio->Numero() : ErrorImportacion::ErrorDelHost;
    const QString descripcion = propio ? propio->Descripcion() : QString::fromUtf8(e.what());
    cStatus = oAppGlobal->FormatMessage(
        QString::fromUtf8("Se ha producido un error durante la creación del árbol<BR>") +
            QStringLiteral("Error %2 (%3)<BR>"),
        {QString(), numero, descripcion});
  }
}

bool cImp_Exp::CrearRamas(IDataImp* oTAZ_Data_Imp, QString& cStatus, qint32 tipo, IRecordset& contenido,
                          IListObject& lista, IInsertBuilder& builder) {
  const QString condicionTipo = QStringLiteral(" WHERE Tipo=") + QString::number(tipo);
  const qint32 filas = lista.RowCount();
  // The key prefix of the node each level of the document stands for, down
  // to the row before, and that level's path in the document. A branch found
  // further down its parent's branch (or the parent itself) is where that
  // branch's own children go.
  QStringList prefijos;
  QStringList rutas;
  for (qint32 fila = 1; fila <= filas; ++fila) {
    if (oTAZ_Data_Imp) oTAZ_Data_Imp->Avance(fila - 1, filas);
    contenido.SetPosition(lista.Cell(4, fila).toInt());
    if (contenido.Eof() || contenido.Position() < 1) {
      cStatus = oAppGlobal->Translate(
          QStringLiteral("Se ha producido un error al reordenar las claves del árbol."));
      return false;
    }
    // The row before was the parent or one of its descendants.
    const qsizetype nivel = lista.Cell(1, fila).toString().trimmed().length() / 2;
    prefijos.resize(std::max<qsizetype>(nivel - 1, 0));
    rutas.resize(prefijos.size());
    const QString prefijo = prefijos.isEmpty() ? QString() : prefijos.last();
    // Names are stored cut, so a long name is looked for as it was stored;
    // a cut that ends in a blank does not keep it.
    QString nombre = contenido.Field(QStringLiteral("Nombre")).toString();
    if (nombre.length() > kLargoNombre) {
      nombre.truncate(kLargoNombre);
      while (!nombre.isEmpty() && nombre.back().isSpace()) nombre.chop(1);
    }
    // A branch without a name could never be told apart, nor found again.
    if (nombre.trimmed().isEmpty()) {
      cStatus = oAppGlobal->Translate(QString::fromUtf8("El documento tiene una rama sin nombre."));
      return false;
    }
    const QString ruta = rutas.isEmpty() ? nombre : rutas.last() + QLatin1Char('/') + nombre;
    const QString existente = BuscarRama(condicionTipo, prefijo, nombre);
    if (!existente.isEmpty()) {
      const QString suyo = ClaveArbol::Prefijo(existente);
      // Not a child of the branch's parent: the person is told where it went.
      if (suyo.length() != prefijo.length() + 2) AnotarUnion(condicionTipo, ruta, existente);
      prefijos << suyo;
      rutas << ruta;
      continue;
    }
    QString clave;
    if (CrearRama(cStatus, tipo, prefijo, nombre, builder, &clave) == 0) return false;
    usadas_.insert(clave);
    creadas_ << ruta;
    prefijos << ClaveArbol::Prefijo(clave);
    rutas << ruta;
  }
  if (oTAZ_Data_Imp) oTAZ_Data_Imp->Avance(filas, filas);
  return true;
}

qint32 cImp_Exp::CrearRama(QString& cStatus, qint32 tipo, const QString& prefijo, const QString& nombre,
                           IInsertBuilder& builder, QString* clave) {
  const QString condicionTipo = QStringLiteral(" WHERE Tipo=") + QString::number(tipo);
  // A parent found on the last level has no room for a child in its key.
  if (prefijo.length() >= ClaveArbol::Longitud) {
    cStatus = oAppGlobal->Translate(QString::fromUtf8("No se pueden añadir más niveles"));
    return 0;
  }
  const QString mayor =
      Consultar(QStringLiteral("SELECT MAX(SUBSTRING(Clave,") + QString::number(prefijo.length() + 1) +
                    QStringLiteral(",2))") + QStringLiteral(" FROM Arboles") + condicionTipo +
                    QStringLiteral(" AND Clave LIKE '") + prefijo + QStringLiteral("%'"),
                2, QStringLiteral("00"))
          .toString();
  // A key has room for 255 branches per parent, as in the editor.
  const QString segmento = ClaveArbol::SiguienteSegmento(mayor);
  if (segmento.isEmpty()) {
    cStatus = oAppGlobal->Translate(ClaveArbol::MensajeMaxHijos);
    return 0;
  }
  *clave = (prefijo.left(ClaveArbol::Longitud) + segmento + QString(ClaveArbol::Longitud, QLatin1Char('0')))
               .left(ClaveArbol::Longitud);
  const qint32 padre = Consultar(QStringLiteral("SELECT ZolmarID FROM Arboles") + condicionTipo +
                                     QStringLiteral(" AND Clave LIKE '") + prefijo + QStringLiteral("00%'"),
                                 2, 0)
                           .toInt();
  QString ruta = Consultar(QStringLiteral("SELECT RutaPadre + Nombre FROM arboles WHERE ZolmarID=") +
                               QString::number(padre),
                           2, QString())
                     .toString();
  ruta = (ruta + QLatin1Char(':')).left(kLargoRuta);
  if (ruta == QStringLiteral(":")) ruta.clear();
  builder.Clear();
  builder.AddField(QStringLiteral("Tipo"), tipo);
  builder.AddField(QStringLiteral("Clave"), *clave);
  builder.AddField(QStringLiteral("Nombre"), nombre);
  builder.AddField(QStringLiteral("ID_Padre"), padre);
  builder.AddField(QStringLiteral("UsoAux"), QStringLiteral("111111"));
  builder.AddField(QStringLiteral("RutaPadre"), ruta);
  const qint32 nuevo = oCn->ExecuteSQL(builder.Sql(), 9, 0, true).toInt();
  if (oCn->HasError() || nuevo == 0) {
    cStatus = oAppGlobal->Translate(
        QString::fromUtf8("Se ha producido un error al crear una nueva rama del árbol."));
    return 0;
  }
  return nuevo;
}

}  // namespace arboles
