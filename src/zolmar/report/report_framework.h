#pragma once
// The report framework of a report window. The window supplies its processes,
// the field catalogue, the filters and the SQL; the framework owns the rest:
// the shared controls (ReportPanel), report models, presets, sort choices, the
// record limit, the extra SQL parts, the SQL editor, the configurations stored
// per window key and process in ZolmarInformes, the search grid (SearchedID of
// the chosen row) and the output through the report engine.
//
// It talks to the window through its signals: CfgProcesos (the process
// changed: hand me its fields), ShowGets (prepare the filters), SaveCfg (add
// your entries), SetCfg (restore one entry), GenerarDatos (build and run the
// statement; set result to me when there is data).

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

#include "zolmar/report/report_config.h"
#include "zolmar/report/report_engine.h"
#include "zolmar/report/report_field.h"
#include "zolmar/report/report_output.h"
#include "zolmar/report/report_run.h"

#include <QPrintPreviewDialog>

namespace arboles {
class IAppGlobal;
class IConnection;
}  // namespace arboles

namespace zolmar {

class ReportPanel;
class ReportQuery;
class ReportStore;

// One entry a window saves with a configuration.
struct ReportCfgEntry {
  QString name;
  QWidget* control = nullptr;  // a get (its text) or a btn (its value)
  bool shown = true;
  qint32 kind = 0;
};
using ReportCfgList = QList<ReportCfgEntry>;

class ReportFramework : public QObject {
  Q_OBJECT
 public:
  ReportFramework(std::shared_ptr<arboles::IAppGlobal> app, std::shared_ptr<arboles::IConnection> cn,
                  QWidget* window);
  ~ReportFramework() override;

  ReportPanel* Panel() const { return panel_; }
  ReportEngine& Engine() { return engine_; }
  void SetCarpetaInformes(const QString& folder) { folder_ = folder; }
  QString CarpetaInformes() const { return folder_; }

  // Processes.
  void ClearProcesos();
  void AddProceso(qint32 number, const QString& caption);
  qint32 Proceso() const { return proceso_; }
  void SetProceso(qint32 number);
  // Takes the process without raising CfgProcesos or ShowGets (the window's set-up).
  void SeleccionarProceso(qint32 number);
  // The process draws a tree: its order is fixed.
  void SetProcesoArbol(bool on);
  // Fields: the search grid (widths in pixels) or the catalogue the model
  // chooses from; the first defaultCount are selected when nothing is.
  void SetCamposBusqueda(const ReportFields& columns);
  void SetCatalogo(const ReportFields& catalogue, qint32 defaultCount);
  const ReportFields& Catalogo() const { return catalogue_; }
  ReportFields CamposSeleccionados() const;
  void SetSeleccion(const QStringList& expressions) { selected_ = expressions; }

  // Stored configuration: the one last used under the key, for the process
  // (0: whichever was used last). False when none was stored.
  bool LoadConfig(const QString& key, qint32 proceso);
  void SaveConfig(const QString& name = QString());
  ReportConfig CurrentConfig();
  void ApplyConfig(const ReportConfig& config);
  QString Key() const { return key_; }
  // The set-up steps after LoadConfig: the lists of the model, presets and
  // sort choices, the record limit and the first ShowGets, after which the
  // loaded entries (SetCfg) or the stored defaults fill the filters.
  void CargarModelos();
  void CargarPreSets();
  void CargarOrdenes();
  void MostrarLimite();
  void Preparado();

  // Presets and models by name.
  bool GuardarPreSet(const QString& name);
  bool CargarPreSet(const QString& name);
  void BorrarPreSet(const QString& name);
  QStringList PreSets() const;
  bool GuardarModelo(const QString& name);
  bool CargarModelo(const QString& name);
  QStringList Modelos() const;
  // Opens the model editor; True when the person accepted it.
  bool EditarModelo();

  // Sort: a catalogue caption (empty: none) and the direction.
  void SetOrden(const QString& caption, bool descending = false);
  QString Orden() const;  // the order expression, "" when none

  // Record limit.
  bool LimiteActivo() const;
  qint32 Limite() const;
  void SetLimite(bool on, qint32 limit);

  // Extra SQL parts of the model.
  QString CamposExtra() const { return extraFields_; }
  QString CondicionExtra() const { return extraCondition_; }
  QString UnionesExtra() const { return extraJoins_; }
  void SetExtras(const QString& fields, const QString& condition, const QString& joins);

  // Stored defaults of the window's filter entries (caption, control name).
  // The read-only entries named in ids (the ids behind a name) are stored
  // and restored with them, without being asked about.
  void GuardarDefectos(const QList<std::pair<QString, QString>>& campos, const QStringList& ids = {});
  void AplicarDefectos();

  // What GenerarDatos asks.
  bool GetFields(QString& fields, QString& order);
  ReportRun* RunObject() { return run_ ? &*run_ : nullptr; }
  bool MuestraProgreso() const { return run_.has_value(); }
  void EjecutarBusqueda(ReportQuery& query, const QString& sql);
  void EjecutarInforme(ReportQuery& query, const QString& sql);
  void SetVariable(const QString& name, const QString& value);
  // The window refuses to produce the report: the reason is what the person is told.
  void Rechazar(const QString& reason) { lastError_ = reason; }

  // Outputs: the report is built (GenerarDatos) and written. False with
  // LastError() when no data came or the output failed.
  bool Generar(const ReportOutput& output);
  // The action of the output control: kind 0 preview, 1 a file, 2 the printer.
  void Accion(qint32 kind, const QString& file, qint32 copies, bool ask, qint32 firstPage, qint32 maxPages,
              double zoom);
  QString LastError() const { return lastError_; }
  qint32 Filas() const { return engine_.RowCount(); }
  QPrintPreviewDialog* Preview() const { return preview_; }
  // The statement the report runs (built without output) and the SQL editor.
  QString SentenciaActual();
  void MostrarSQLExperto();
  bool EjecutarSQL(const QString& sql, const ReportOutput& output);

  // Search results.
  qint32 FilasBusqueda() const { return qint32(searchIds_.size()); }
  void ElegirFila(qint32 row);
  qint32 SearchedID() const { return searchedId_; }
  qint32 Resultado() const { return searchedId_; }

  // Design callbacks.
  void SaveOptions(qint32 option);
  void SaveReportDesign(const QString& design);
  QObject* DesignObject() { return &engine_; }
  void Close();
  // A run without a person (the command line) leaves the stored configuration alone.
  void SetRecordarConfiguracion(bool on) { remember_ = on; }
  // A run without a person starts from what it is told, never from the
  // person's last use: LoadConfig ignores the configuration last used and the
  // stored filter defaults, and applies the preset named (its process aside),
  // or nothing when the name is empty. Nothing is stored on closing.
  void SinConfiguracionGuardada(const QString& preset);
  // The preset asked for was not stored.
  bool PreSetInicialFalta() const { return presetFalta_; }

 signals:
  void CfgProcesos();
  void ShowGets();
  void SaveCfg(zolmar::ReportCfgList& list);
  void SetCfg(const QString& name, const QVariant& value);
  void GenerarDatos(zolmar::ReportFramework*& result);
  // A search row was chosen: the window closes.
  void CerrarVentana();

 private:
  // The rows of a report statement; nothing while the SQL editor captures it or when it fails.
  arboles::RecordsetPtr Abrir(ReportQuery& query, const QString& sql);
  void ConnectPanel();
  void ProcesoTecleado();
  void ElegirProceso();
  void ElegirOrden();
  bool CargarPreSetInicial(qint32 proceso);
  void ElegirNombre(class get* entry, const QStringList& names, const QString& title);
  bool Producir();
  bool Escribir(const ReportOutput& output);
  void MostrarVistaPrevia();
  bool Imprimir(bool ask);
  QString PedirFichero() const;
  void Esperar(QWidget* form);

  std::shared_ptr<arboles::IAppGlobal> app_;
  std::shared_ptr<arboles::IConnection> cn_;
  std::unique_ptr<ReportStore> store_;
  QWidget* window_;
  ReportPanel* panel_;
  ReportEngine engine_;
  QString folder_;
  QString key_;
  QList<std::pair<qint32, QString>> procesos_;
  qint32 proceso_ = 0;
  bool arbol_ = false;
  ReportFields search_;
  ReportFields catalogue_;
  qint32 defaultCount_ = 0;
  QStringList selected_;
  QString extraFields_, extraCondition_, extraJoins_;
  std::optional<ReportRun> run_;
  bool produced_ = false;
  bool remember_ = true;
  bool sinGuardada_ = false;
  QString presetInicial_;
  bool presetFalta_ = false;
  bool capture_ = false;
  QString captured_;
  QString lastError_;
  // Loaded entries and defaults wait for the filters' ShowGets.
  QList<std::pair<QString, QVariant>> pendientes_;
  bool defectos_ = false;
  QVector<qint32> searchIds_;
  qint32 searchedId_ = 0;
  QPointer<QPrintPreviewDialog> preview_;
};

}  // namespace zolmar
