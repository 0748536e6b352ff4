#pragma once
// The host's import framework for tree exchange documents: reads the file,
// refuses a malformed document or one whose branches cannot form a tree,
// hands header and content to the module's handler (Data_Imp) inside a
// transaction of its own, and rolls it back when the handler fails, so a
// failure at any row leaves the tree as it was.

#include <QString>
#include <functional>
#include <memory>

namespace arboles {
class IAppGlobal;
class IImpExp;
}  // namespace arboles

namespace zolmar {

class ExchangeDocument;

class ExchangeImport {
 public:
  struct Outcome {
    // What Data_Imp returned: 0 done, -1 refused or failed (also when the
    // framework refused the document before calling it).
    qint32 result = -1;
    QString status;
    qint32 branches = 0;
    qint32 created = 0;
    qint32 reused = 0;
    // The handler called the end of the import and asked for the summary.
    bool showSummary = false;
  };
  // Rows processed and total; (-1, -1) when the progress may close.
  using Progress = std::function<void(qint32 done, qint32 total)>;

  ExchangeImport(std::shared_ptr<arboles::IAppGlobal> app, std::shared_ptr<arboles::IImpExp> handler);

  void setProgress(Progress progress) { progress_ = std::move(progress); }

  Outcome importFile(const QString& path);
  Outcome importDocument(const ExchangeDocument& document);

  // "3 ramas creadas y 2 reutilizadas", or the status when there is one.
  QString summary(const Outcome& outcome) const;

 private:
  bool countBranches(qint32 tipo, qint32* count, QString* status);

  std::shared_ptr<arboles::IAppGlobal> app_;
  std::shared_ptr<arboles::IImpExp> handler_;
  Progress progress_;
};

}  // namespace zolmar
