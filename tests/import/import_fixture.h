#pragma once
// A company database with the document handler configured on it, documents
// written as the exporting program writes them, and the tree read back as
// indented names so that a whole tree can be compared in one line.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVector>

#include "common/host_fixture.h"
#include "host/i_recordset.h"
#include "import/imp_exp.h"
#include "tree/clave_arbol.h"
#include "tree/verificador_arbol.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/exchange/exchange_document.h"
#include "zolmar/exchange/exchange_import.h"

// Failures show texts as text.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

struct Rama {
  qint32 id;
  qint32 padre;
  QString nombre;
};

class ImportFixture : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    handler = std::make_shared<arboles::cImp_Exp>();
    handler->Configure(taz);
  }

  // zolmarID of each branch: its position in the document.
  static QByteArray Documento(const QVector<Rama>& ramas, qint32 tipo = 3, qint32 tipoDocumento = 9) {
    QJsonArray contenido;
    for (qsizetype i = 0; i < ramas.size(); ++i)
      contenido.append(QJsonObject{{"zolmarID", qint32(i + 1)},
                                   {"ID_RamaOriginal", ramas[i].id},
                                   {"ID_RamaPadreOriginal", ramas[i].padre},
                                   {"Nombre", ramas[i].nombre}});
    return QJsonDocument(
               QJsonObject{{"TipoDocumento", tipoDocumento}, {"TipoArbol", tipo}, {"Contenido", contenido}})
        .toJson();
  }

  zolmar::ExchangeImport::Outcome Importar(const QByteArray& texto) {
    zolmar::ExchangeDocument documento;
    if (!documento.parse(texto, QStringLiteral("prueba.json"))) {
      zolmar::ExchangeImport::Outcome rechazado;
      rechazado.status = documento.error();
      return rechazado;
    }
    return zolmar::ExchangeImport(host->appGlobal(), handler).importDocument(documento);
  }
  zolmar::ExchangeImport::Outcome Importar(const QVector<Rama>& ramas) { return Importar(Documento(ramas)); }

  // "Bebidas/Vinos/Tintos" per node in key order, and the tree checked sound
  // (keys, parent links and paths).
  QStringList Arbol(qint32 tipo = 3) {
    const auto rs = arboles::recordsetOf(cn->ExecuteSQL(
        QStringLiteral("SELECT Nombre, RutaPadre FROM Arboles WHERE Tipo=%1 ORDER BY Clave").arg(tipo), 5));
    QStringList nodos;
    while (rs && rs->Read())
      nodos << QString(rs->Field("RutaPadre").toString() + rs->Field("Nombre").toString()).replace(':', '/');
    arboles::VerificadorArbol verificador(host->appGlobal()->GetGlobales(), tipo);
    for (const auto& p : verificador.Verificar()) ADD_FAILURE() << p.texto.toStdString();
    return nodos;
  }

  QString Volcado() { return zolmar::DatabaseDump::of(*cn); }

  std::shared_ptr<arboles::cImp_Exp> handler;
};
