#include "common/host_fixture.h"

void HostFixture::Abrir(const QString& fichero) {
  host = zolmar::Host::open(fichero);
  Poblar();
  host->useScriptedUserInterface();
  cn = host->connection();
  taz = std::make_shared<arboles::cTAZ_Arboles>();
  auto app = host->appGlobal();
  ASSERT_TRUE(taz->I_TAZ_Configure(app->GetGlobales(), app));
}

qint32 HostFixture::InsertarNodo(qint32 tipo, const QString& clave, const QString& nombre, qint32 padre,
                                 qint32 activo, const Columnas& otras) {
  QStringList columnas{QStringLiteral("Tipo"), QStringLiteral("Clave"), QStringLiteral("Nombre"),
                       QStringLiteral("id_padre"), QStringLiteral("Activo")};
  QStringList valores{QString::number(tipo), cn->SQLLiteral(clave), cn->SQLLiteral(nombre),
                      QString::number(padre), QString::number(activo)};
  for (const auto& [columna, valor] : otras) {
    columnas << columna;
    valores << valor;
  }
  const QString sql = QStringLiteral("INSERT INTO Arboles (%1) VALUES (%2)")
                          .arg(columnas.join(QStringLiteral(", ")), valores.join(QStringLiteral(", ")));
  const qint32 id = cn->ExecuteSQL(sql, 9, 0).toInt();
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  return id;
}

QString HostFixture::Clave(qint32 id) {
  return Valor(QStringLiteral("SELECT Clave FROM Arboles WHERE ZolmarID=%1").arg(id)).toString();
}

QStringList& HostFixture::Grabar() {
  enviadas_.clear();
  cn->setStatementRecorder([this](const QString& tsql, qint32) { enviadas_.append(tsql); });
  return enviadas_;
}
