// arboles merge / move: the organisation window itself, driven offscreen as
// a person would drive it, the flags answering its questions.

#include "comando_arboles.h"
#include "host/i_app_global.h"
#include "picking/frm_mover_categorias.h"
#include "tree/bloqueo_tabla.h"
#include "tree/taz_arboles.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

namespace zolmar {

namespace {

QString clave(qint32 id) { return QStringLiteral("K=") + QString::number(id); }

}  // namespace

int ComandoArboles::Organizar(bool unir, const QStringList& resto) {
  const bool borrar = unir && resto.size() == 3 && resto.at(2) == QStringLiteral("--delete");
  if (resto.size() < 2 || resto.size() > (borrar ? 3 : 2))
    return MalUso(unir ? QStringLiteral("Uso: merge ORIGEN DESTINO [--delete]")
                       : QStringLiteral("Uso: move NODO NUEVO_PADRE"));
  bool ok1 = false, ok2 = false;
  const qint32 origen = resto.at(0).toInt(&ok1);
  const qint32 destino = resto.at(1).toInt(&ok2);
  if (!ok1 || origen <= 0) return MalUso(QStringLiteral("ID no válido: %1").arg(resto.at(0)));
  if (!ok2 || destino < 0) return MalUso(QStringLiteral("ID no válido: %1").arg(resto.at(1)));
  if (!AbrirBase()) return UsoIncorrecto;
  if (taz_->I_TAZ_SeekID(origen) != origen) return MalUso(QStringLiteral("No existe el nodo %1").arg(origen));
  const qint32 tipo = taz_->I_TAZ_Field(QStringLiteral("Tipo")).toInt();
  if (destino > 0) {
    if (taz_->I_TAZ_SeekID(destino) != destino)
      return MalUso(QStringLiteral("No existe el nodo %1").arg(destino));
    if (taz_->I_TAZ_Field(QStringLiteral("Tipo")).toInt() != tipo)
      return MalUso(QStringLiteral("Los nodos %1 y %2 son de árboles distintos").arg(origen).arg(destino));
  }
  {
    arboles::BloqueoTabla bloqueo(taz_->oAppGlobal, QStringLiteral("Arboles"),
                                  QStringLiteral("Tipo=") + QString::number(tipo));
    if (!bloqueo.Obtenido()) return Bloqueado(tipo);
    const int salida = Reorganizar(unir, origen, destino, borrar, tipo);
    if (salida != Correcto) return salida;
  }
  return Check(tipo);
}

int ComandoArboles::Reorganizar(bool unir, qint32 origen, qint32 destino, bool borrar, qint32 tipo) {
  auto& ui = host_->scriptedUserInterface();
  arboles::FrmMoverCategorias frm;
  if (!frm.Run(*taz_, tipo)) return Rechazado;
  if (!frm.TreeArbol[0]->ClickNode(clave(origen)) || !frm.TreeArbol[1]->ClickNode(clave(destino))) {
    err_ << "arboles: " << QStringLiteral("Los nodos %1 y %2 no están en el árbol").arg(origen).arg(destino)
         << "\n";
    frm.Unload();
    return Rechazado;
  }
  ui.queueAnswer(true);
  if (unir) ui.queueAnswer(borrar);
  frm.btnAccion[unir ? 0 : 1]->Click();
  const bool hecho = frm.AccionRealizada();
  const auto filas = [](qint64 n) { return QString::number(n) + (n == 1 ? " fila" : " filas"); };
  if (hecho && !unir) out_ << "Arboles: " << filas(1) << "\n";
  // The counts the window's question named, table by table, then in all.
  qint64 total = 0;
  for (const auto& t : frm.Traspasadas()) {
    out_ << t.tabla << ": " << filas(t.filas) << "\n";
    total += t.filas;
  }
  if (hecho && unir) out_ << QString::fromUtf8("Fichas traspasadas: ") << total << "\n";
  frm.Unload();
  return hecho ? Correcto : Rechazado;
}

}  // namespace zolmar
