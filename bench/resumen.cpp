#include "resumen.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace bench {

Resumen& Resumen::instance() {
  static Resumen resumen;
  return resumen;
}

void Resumen::imprimir() const {
  std::vector<Medida> orden = medidas_;
  std::stable_sort(orden.begin(), orden.end(),
                   [](const Medida& a, const Medida& b) { return a.ratio() > b.ratio(); });
  std::printf("\n%-36s %8s %10s %12s %7s\n", "operation", "n", "ms", "baseline_ms", "ratio");
  for (const Medida& m : orden)
    std::printf("%-36s %8lld %10.1f %12.1f %7.2f\n", qPrintable(m.operacion), m.n, m.ms, m.base, m.ratio());
  for (const Fallo& f : fallos_)
    std::fprintf(stderr, "FAILED %s n=%lld: %s\n", qPrintable(f.operacion), f.n, qPrintable(f.motivo));
  std::fflush(stdout);
}

namespace {

const QString kMedida = QStringLiteral("MEDIDA\t");
const QString kFallo = QStringLiteral("FALLO\t");

QString enUnaLinea(QString texto) {
  return texto.replace(QLatin1Char('\t'), ' ').replace(QLatin1Char('\n'), ' ');
}

}  // namespace

void Resumen::enviar() const {
  for (const Medida& m : medidas_)
    std::printf("%s%s\t%lld\t%.17g\t%.17g\t%.17g\n", qPrintable(kMedida), qPrintable(enUnaLinea(m.operacion)),
                m.n, m.ms, m.base, m.limite);
  for (const Fallo& f : fallos_)
    std::printf("%s%s\t%lld\t%s\n", qPrintable(kFallo), qPrintable(enUnaLinea(f.operacion)), f.n,
                qPrintable(enUnaLinea(f.motivo)));
  std::fflush(stdout);
}

bool Resumen::recibir(const QString& linea) {
  const QStringList campos = linea.split(QLatin1Char('\t'));
  if (linea.startsWith(kMedida) && campos.size() == 6) {
    anotar({campos[1], campos[2].toLongLong(), campos[3].toDouble(), campos[4].toDouble(),
            campos[5].toDouble()});
    return true;
  }
  if (linea.startsWith(kFallo) && campos.size() == 4) {
    fallar({campos[1], campos[2].toLongLong(), campos[3]});
    return true;
  }
  return false;
}

bool Resumen::escribirCsv(const QString& fichero) const {
  QSaveFile out(fichero);
  if (!out.open(QIODevice::WriteOnly)) return false;
  out.write("operation,n,ms,baseline_ms,limit_ms,ratio\n");
  for (const Medida& m : medidas_)
    out.write(QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                  .arg(m.operacion)
                  .arg(m.n)
                  .arg(m.ms, 0, 'f', 2)
                  .arg(m.base, 0, 'f', 2)
                  .arg(m.limite, 0, 'f', 2)
                  .arg(m.ratio(), 0, 'f', 3)
                  .toUtf8());
  return out.commit();
}

namespace {

constexpr int kAnchoPanel = 360, kAltoPanel = 240, kColumnas = 4, kMargen = 44;

// A panel's axes: log10 of n and of ms between the smallest and largest
// value of either series, padded to whole decades.
struct Ejes {
  double x0, x1, y0, y1;
  QPointF punto(const QRectF& r, double n, double ms) const {
    const double x = (std::log10(n) - x0) / (x1 - x0), y = (std::log10(std::max(ms, 0.01)) - y0) / (y1 - y0);
    return {r.left() + x * r.width(), r.bottom() - y * r.height()};
  }
};

Ejes ejesDe(const std::vector<Resumen::Medida>& serie) {
  double nMin = 1e300, nMax = 0, msMin = 1e300, msMax = 0;
  for (const auto& m : serie) {
    nMin = std::min(nMin, double(m.n));
    nMax = std::max(nMax, double(m.n));
    for (double v : {m.ms, m.base}) {
      if (v <= 0) continue;
      msMin = std::min(msMin, v);
      msMax = std::max(msMax, v);
    }
  }
  if (msMax <= 0) msMin = msMax = 1;
  Ejes e{std::floor(std::log10(nMin)), std::ceil(std::log10(nMax)), std::floor(std::log10(msMin)),
         std::ceil(std::log10(msMax))};
  if (e.x1 <= e.x0) e.x1 = e.x0 + 1;
  if (e.y1 <= e.y0) e.y1 = e.y0 + 1;
  return e;
}

void linea(QPainter& p, const QRectF& r, const Ejes& e, const std::vector<Resumen::Medida>& serie, bool base,
           const QColor& color) {
  p.setPen(QPen(color, 2));
  QPolygonF puntos;
  for (const auto& m : serie) {
    const double v = base ? m.base : m.ms;
    if (v > 0) puntos << e.punto(r, m.n, v);
  }
  p.drawPolyline(puntos);
  for (const QPointF& q : puntos) p.drawEllipse(q, 3, 3);
}

void panel(QPainter& p, const QRectF& celda, const QString& operacion, std::vector<Resumen::Medida> serie) {
  std::sort(serie.begin(), serie.end(), [](const auto& a, const auto& b) { return a.n < b.n; });
  const QRectF r = celda.adjusted(kMargen, 24, -32, -28);  // room for the last size's label
  const Ejes e = ejesDe(serie);
  p.setPen(Qt::black);
  p.drawText(celda.adjusted(8, 4, -4, 0), Qt::AlignLeft | Qt::AlignTop, operacion);
  p.setPen(QColor(220, 220, 220));
  for (double d = e.x0; d <= e.x1; d += 1)
    p.drawLine(e.punto(r, std::pow(10, d), std::pow(10, e.y0)),
               e.punto(r, std::pow(10, d), std::pow(10, e.y1)));
  for (double d = e.y0; d <= e.y1; d += 1)
    p.drawLine(e.punto(r, std::pow(10, e.x0), std::pow(10, d)),
               e.punto(r, std::pow(10, e.x1), std::pow(10, d)));
  p.setPen(Qt::darkGray);
  p.drawRect(r);
  for (double d = e.x0; d <= e.x1; d += 1)
    p.drawText(QRectF(e.punto(r, std::pow(10, d), std::pow(10, e.y0)) - QPointF(30, -2), QSizeF(60, 16)),
               Qt::AlignCenter, QStringLiteral("n=1e%1").arg(d));
  for (double d = e.y0; d <= e.y1; d += 1)
    p.drawText(QRectF(e.punto(r, std::pow(10, e.x0), std::pow(10, d)) - QPointF(kMargen, 8),
                      QSizeF(kMargen - 4, 16)),
               Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("1e%1").arg(d));
  linea(p, r, e, serie, true, QColor(120, 120, 120));
  linea(p, r, e, serie, false, QColor(200, 40, 40));
}

}  // namespace

bool Resumen::dibujar(const QString& fichero) const {
  QMap<QString, std::vector<Medida>> series;
  for (const Medida& m : medidas_) series[m.operacion].push_back(m);
  if (series.isEmpty()) return false;
  const int filas = (int(series.size()) + kColumnas - 1) / kColumnas;
  QImage imagen(kColumnas * kAnchoPanel, filas * kAltoPanel + 30, QImage::Format_RGB32);
  imagen.fill(Qt::white);
  QPainter p(&imagen);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::black);
  p.drawText(QRectF(8, 4, imagen.width() - 16, 22), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("ms against n, log-log: red the module, grey its bare baseline (parallel lines: "
                            "the same growth; a slope of one decade per decade: linear)"));
  int i = 0;
  for (auto it = series.cbegin(); it != series.cend(); ++it, ++i) {
    const QRectF celda((i % kColumnas) * kAnchoPanel, 30 + (i / kColumnas) * kAltoPanel, kAnchoPanel,
                       kAltoPanel);
    panel(p, celda, it.key(), it.value());
  }
  p.end();
  return imagen.save(fichero, "PNG");
}

}  // namespace bench
