#pragma once
// A tree exchange document read from its UTF-8 JSON file:
//   {"TipoDocumento": 9, "TipoArbol": 3, "Contenido": [{"zolmarID": 1,
//    "ID_RamaOriginal": 10, "ID_RamaPadreOriginal": 0, "Nombre": "Bebidas"}, ...]}
// Other fields are ignored. A file that is not such a document is refused
// with a message that names the file, the line and the field.

#include <QString>
#include <QVector>
#include <memory>

namespace zolmar {

class RowSet;

class ExchangeDocument {
 public:
  struct Branch {
    qint32 line = 0;  // where the branch's object opens
    qint32 zolmarID = 0;
    qint32 idRamaOriginal = 0;
    qint32 idRamaPadreOriginal = 0;
    QString nombre;
  };

  // False with error() set when the file cannot be read or is malformed.
  bool read(const QString& path);
  // The same from bytes; name is what messages call the file.
  bool parse(const QByteArray& bytes, const QString& name);
  QString error() const { return error_; }

  qint32 tipoDocumento() const { return tipoDocumento_; }
  qint32 tipoArbol() const { return tipoArbol_; }
  const QVector<Branch>& branches() const { return branches_; }
  QString name() const { return name_; }

  // The host record sets Data_Imp reads: the header's one row (current, as
  // the handler reads its fields straight away) and one row per branch.
  std::shared_ptr<RowSet> header() const;
  std::shared_ptr<RowSet> content() const;

 private:
  friend class ExchangeDocumentReader;
  QString name_;
  QString error_;
  qint32 tipoDocumento_ = 0;
  qint32 tipoArbol_ = 0;
  QVector<Branch> branches_;
};

}  // namespace zolmar
