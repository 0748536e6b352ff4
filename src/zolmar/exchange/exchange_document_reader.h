#pragma once
// Reads an exchange document in one pass of nlohmann-json's event parser,
// checking each field as it arrives, so that a refusal can name the line
// where the field stands (the library's tree of values keeps no lines).

#include <QByteArray>
#include <QString>
#include <QVector>
#include <nlohmann/json.hpp>
#include <string>

#include "zolmar/exchange/exchange_document.h"

namespace zolmar {

class ExchangeDocumentReader : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit ExchangeDocumentReader(ExchangeDocument& document) : doc_(document) {}

  // False with error() set.
  bool read(const QByteArray& bytes);
  QString error() const { return error_; }

  bool null() override;
  bool boolean(bool value) override;
  bool number_integer(number_integer_t value) override;
  bool number_unsigned(number_unsigned_t value) override;
  bool number_float(number_float_t value, const string_t& text) override;
  bool string(string_t& value) override;
  bool binary(binary_t& value) override;
  bool start_object(std::size_t elements) override;
  bool key(string_t& name) override;
  bool end_object() override;
  bool start_array(std::size_t elements) override;
  bool end_array() override;
  bool parse_error(std::size_t position, const std::string& lastToken,
                   const nlohmann::detail::exception& ex) override;

 private:
  enum class Frame { Document, Content, Branch, Skipped };
  // What the value that comes next is for.
  enum class Slot { None, TipoDocumento, TipoArbol, Contenido, ZolmarID, IdRama, IdPadre, Nombre, Ignored };

  bool integer(long long value, bool fits);
  bool other(const char* kind);
  bool refuse(qint32 line, const QString& field, const QString& reason);
  bool wrongType(const char* expected);
  QString slotName(Slot slot) const;
  bool containerValue(bool isObject);

  ExchangeDocument& doc_;
  qint32 line_ = 1;
  QVector<Frame> frames_;
  Slot slot_ = Slot::None;
  qint32 slotLine_ = 1;
  std::string lastKey_;  // kept as read: most documents never need it as text
  qint32 documentLine_ = 1;
  bool seen_[3] = {false, false, false};  // TipoDocumento, TipoArbol, Contenido
  ExchangeDocument::Branch branch_;
  bool branchSeen_[4] = {false, false, false, false};
  QString error_;
};

}  // namespace zolmar
