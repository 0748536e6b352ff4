#pragma once
// A fresh company database with the tree class configured on it, and helpers
// to write rows the way another program would have left them.

#include "common/host_fixture.h"
#include "host/i_ficha_db.h"

class ArbolFixture : public HostFixture {
 protected:
  qint32 Nodo(qint32 tipo, const QString& clave, const QString& nombre, qint32 padre, qint32 activo = 0,
              qint32 comentario = 0) {
    const qint32 id = InsertarNodo(tipo, clave, nombre, padre, activo,
                                   {{QStringLiteral("id_comentario"), QString::number(comentario)},
                                    {QStringLiteral("RutaPadre"), QStringLiteral("''")}});
    taz->I_TAZ_FichaDB()->Reload();  // the record set reads its rows when it opens
    return id;
  }

  void Ejecutar(const QString& sql) {
    cn->ExecuteSQL(sql, 0);
    ASSERT_FALSE(cn->HasError()) << sql.toStdString() << ": " << cn->LastError().toStdString();
  }

  QString Ruta(qint32 id) {
    return Valor(QStringLiteral("SELECT RutaPadre FROM Arboles WHERE ZolmarID=%1").arg(id)).toString();
  }
  qint32 Cuenta(const QString& tablaYCondicion) {
    return Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tablaYCondicion).toInt();
  }
};
