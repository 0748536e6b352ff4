// The tree report: the drawing of a 10,000-node tree to PDF and a
// 100,000-row CSV listing, each next to bare SQLite reading the same rows and
// running the same statements, written by bare Qt (baseline_ms; limit_ms the
// same inside one transaction). The drawing's per-row statements are the
// greatest segment under each branch, which the window reads once per branch
// and report; bare Qt paints the same pages with QPdfWriter.

#include <sqlite3.h>

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <stdexcept>

#include "bench_arbol.h"
#include "bench_sqlite.h"
#include "bench_util.h"
#include "reports/frm_rpt_arboles.h"
#include "zolmar/report/report_framework.h"

namespace {

struct Fila {
  qint64 id, padre;
  QString nombre, clave;
};

QVector<Fila> leerFilas(sqlite3* db) {
  QVector<Fila> filas;
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT ZolmarID, Nombre, ID_Padre, Clave FROM Arboles WHERE Tipo=3 ORDER BY Clave",
                     -1, &stmt, nullptr);
  while (sqlite3_step(stmt) == SQLITE_ROW)
    filas.append({sqlite3_column_int64(stmt, 0), sqlite3_column_int64(stmt, 2),
                  QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))),
                  QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)))});
  sqlite3_finalize(stmt);
  return filas;
}

qint32 hex(const QString& texto) { return texto.toInt(nullptr, 16); }

// The rows, a later-sibling lookup per row and the greatest segment of each
// branch (read once per branch): each row's prefix of branch lines, as the
// report draws it.
QVector<QString> prefijosDesnudos(zolmar::Connection& cn, const QVector<Fila>& filas) {
  QHash<qint64, qint32> ultimoHijo;
  for (qint32 i = 0; i < filas.size(); ++i) ultimoHijo[filas[i].padre] = i;
  bench::Sentencia maximo(cn,
                          "SELECT max(substring(clave,3,2)) FROM arboles WHERE tipo=3 AND clave LIKE '01%'");
  QHash<QString, qint32> mayores;
  const auto mayor = [&](int nivel, const QString& clave) {
    const QString prefijo = clave.left(2 * nivel);
    const QString llave = QString::number(nivel) + prefijo;
    const auto hit = mayores.constFind(llave);
    if (hit != mayores.constEnd()) return *hit;
    const qint32 m = hex(maximo.texto({2 * nivel + 1, 2, 3, prefijo + '%'}));
    mayores.insert(llave, m);
    return m;
  };
  QVector<QString> prefijos;
  prefijos.reserve(filas.size());
  for (qint32 i = 0; i < filas.size(); ++i) {
    const Fila& f = filas[i];
    const bool hermano = ultimoHijo.value(f.padre) > i;
    QString prefijo;
    for (int nivel = 0; nivel < 8; ++nivel) {
      const qint32 s = hex(f.clave.mid(2 * nivel, 2));
      if (s < 1) break;
      const qint32 n = nivel < 7 ? hex(f.clave.mid(2 * nivel + 2, 2)) : 0;
      const qint32 m = mayor(nivel, f.clave);
      if (!hermano)
        prefijo += n == 0 ? "+--" : m > s ? "|  " : "   ";
      else if (m > s && (f.padre == 0 || n < 1))
        prefijo += "|--";
      else
        prefijo += m > s ? "|  " : "   ";
    }
    prefijos << prefijo;
  }
  return prefijos;
}

QFont letra(qreal puntos, bool negrita) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPointSizeF(puntos);
  f.setBold(negrita);
  f.setStyleStrategy(QFont::PreferNoShaping);
  return f;
}

// The same drawing with bare Qt: A4 at 300 dpi, drawn in memory and then
// written; on every page the company, title, column captions, a rule and the
// page number; on every row its four cells, the name after its branch lines.
void pdfDesnudo(const QVector<Fila>& filas, const QVector<QString>& prefijos, const QString& fichero) {
  QByteArray pdf;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPainter p(&writer);
    const QFont cuerpo = letra(8, false), cabecera = letra(8, true), empresa = letra(11, true),
                titulo = letra(10, true);
    const QRectF area(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size());
    const QFontMetricsF fm(cuerpo, &writer);
    const qreal alto = fm.height() * 1.3, ancho = fm.averageCharWidth() * 1.1,
                blanco = 2 * fm.horizontalAdvance(' ');
    const qreal anchos[] = {10 * ancho, 50 * ancho, 10 * ancho, 16 * ancho};
    const qreal arriba = QFontMetricsF(empresa, &writer).height() * 1.2 +
                         QFontMetricsF(titulo, &writer).height() * 1.2 + alto * 1.6;
    const qint32 porPagina = qint32((area.bottom() - alto * 1.5 - arriba) / alto);
    const qint32 paginas = (filas.size() + porPagina - 1) / porPagina;
    const char* titulos[] = {"Ficha", "Nombre", "Padre", "Orden"};
    QPen raya(Qt::black);
    raya.setWidthF(alto * 0.05);
    for (qint32 pagina = 0; pagina < paginas; ++pagina) {
      if (pagina > 0) writer.newPage();
      p.setPen(Qt::black);
      p.setFont(empresa);
      p.drawText(QRectF(0, 0, area.width(), alto), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("Empresa"));
      p.setFont(titulo);
      p.drawText(QRectF(0, alto, area.width(), alto), Qt::AlignLeft | Qt::AlignVCenter,
                 QStringLiteral("Listado"));
      p.setFont(cabecera);
      qreal x = 0;
      for (int c = 0; c < 4; ++c) {
        p.drawText(QRectF(x, arriba - alto * 1.3, anchos[c], alto), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(titulos[c]));
        x += anchos[c];
      }
      p.drawLine(QPointF(0, arriba - alto * 0.15), QPointF(area.right(), arriba - alto * 0.15));
      p.setFont(cuerpo);
      p.drawText(QRectF(0, area.bottom() - alto, area.width(), alto), Qt::AlignHCenter | Qt::AlignVCenter,
                 QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(paginas));
      for (qint32 i = pagina * porPagina; i < std::min<qint32>(filas.size(), (pagina + 1) * porPagina); ++i) {
        const qreal y = arriba + (i - pagina * porPagina) * alto;
        const Fila& f = filas[i];
        const QString& prefijo = prefijos[i];
        p.drawText(QRectF(0, y, anchos[0], alto), Qt::AlignRight | Qt::AlignVCenter, QString::number(f.id));
        const QRectF celda(anchos[0], y, anchos[1], alto);
        p.save();
        p.setPen(raya);
        for (qsizetype k = 0; k < prefijo.size(); ++k) {
          const qreal x0 = celda.left() + k * blanco, xm = x0 + blanco / 2, medio = celda.center().y();
          if (prefijo[k] == '|') p.drawLine(QPointF(xm, y), QPointF(xm, y + alto));
          if (prefijo[k] == '+') p.drawLine(QPointF(xm, y), QPointF(xm, medio));
          if ((prefijo[k] == '|' && k + 1 < prefijo.size() && prefijo[k + 1] == '-') || prefijo[k] == '+')
            p.drawLine(QPointF(xm, medio), QPointF(x0 + blanco, medio));
          if (prefijo[k] == '-') p.drawLine(QPointF(x0, medio), QPointF(x0 + blanco, medio));
        }
        p.restore();
        p.drawText(celda, Qt::AlignLeft | Qt::AlignVCenter, QString(2 * prefijo.size(), ' ') + f.nombre);
        p.drawText(QRectF(anchos[0] + anchos[1], y, anchos[2], alto), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(f.padre));
        p.drawText(QRectF(anchos[0] + anchos[1] + anchos[2], y, anchos[3], alto),
                   Qt::AlignLeft | Qt::AlignVCenter, f.clave);
      }
    }
  }
  // Saved as the report saves its files: a temporary file renamed once on disk.
  QSaveFile out(fichero);
  out.open(QIODevice::WriteOnly);
  out.write(pdf);
  out.commit();
}

void dibujoDesnudo(zolmar::Connection& cn, const QString& fichero) {
  const QVector<Fila> filas = leerFilas(cn.handle());
  pdfDesnudo(filas, prefijosDesnudos(cn, filas), fichero);
}

// The rows, written as the same CSV.
void csvDesnudo(sqlite3* db, const QString& fichero) {
  // Saved as the report saves its files: a temporary file renamed once on disk.
  QSaveFile out(fichero);
  out.open(QIODevice::WriteOnly);
  out.write(
      "\xEF\xBB\xBF"
      "Ficha;Nombre;Padre;Orden\r\n");
  sqlite3_stmt* stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT ZolmarID, Nombre, ID_Padre, Clave FROM Arboles WHERE Tipo=3", -1, &stmt,
                     nullptr);
  QByteArray linea;
  while (sqlite3_step(stmt) == SQLITE_ROW) {
    linea.clear();
    linea += QByteArray::number(sqlite3_column_int64(stmt, 0)) + ';';
    linea += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
    linea += ';' + QByteArray::number(sqlite3_column_int64(stmt, 2)) + ';';
    linea += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3));
    linea += "\r\n";
    out.write(linea);
  }
  sqlite3_finalize(stmt);
  out.commit();
}

template <typename Fn>
double enUnaTransaccion(sqlite3* db, Fn&& fn) {
  return bench::timeMs([&] {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    fn();
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  });
}

double informe(bench::Arbol& arbol, qint32 proceso, const zolmar::ReportOutput& salida) {
  arboles::FrmRptArboles::Registrar();
  auto* frm = new arboles::FrmRptArboles();
  frm->setAttribute(Qt::WA_DeleteOnClose);
  frm->Run(*arbol.taz, 3, proceso, false, false);
  frm->oRptForm->SetRecordarConfiguracion(false);
  const double ms = bench::timeMs([&] { frm->oRptForm->Generar(salida); });
  const qint32 filas = frm->oRptForm->Filas();
  frm->Unload();
  if (filas != arbol.nodos)
    throw std::runtime_error(QStringLiteral("%1 rows of %2").arg(filas).arg(arbol.nodos).toStdString());
  return ms;
}

void reportBench(bool quick) {
  QTemporaryDir dir;
  {
    // roots x (1 + children x (1 + leaves)) nodes: 10,000 (1,000 quick).
    bench::Arbol arbol(quick ? 10 : 16, quick ? 9 : 24, quick ? 10 : 25);
    sqlite3* db = arbol.host->connection()->handle();
    const QString pdf = dir.filePath("desnudo.pdf");
    const auto t = bench::mejores(
        3, {[&] {
              return informe(arbol, 3, {zolmar::ReportOutputKind::Pdf, dir.filePath("arbol.pdf")});
            },
            [&] { return bench::timeMs([&] { dibujoDesnudo(*arbol.host->connection(), pdf); }); },
            [&] { return enUnaTransaccion(db, [&] { dibujoDesnudo(*arbol.host->connection(), pdf); }); }});
    bench::report("report_tree_pdf", arbol.nodos, t[0], t[1], t[2]);
  }
  {
    // 100,000 nodes (10,000 quick).
    bench::Arbol arbol(quick ? 10 : 32, quick ? 33 : 44, quick ? 29 : 70);
    sqlite3* db = arbol.host->connection()->handle();
    const QString csv = dir.filePath("desnudo.csv");
    const auto t = bench::mejores(
        3, {[&] {
              return informe(arbol, 2, {zolmar::ReportOutputKind::Csv, dir.filePath("lista.csv")});
            },
            [&] { return bench::timeMs([&] { csvDesnudo(db, csv); }); },
            [&] { return enUnaTransaccion(db, [&] { csvDesnudo(db, csv); }); }});
    bench::report("report_list_csv", arbol.nodos, t[0], t[1], t[2]);
  }
}

REGISTER_BENCH("report", reportBench);

}  // namespace
