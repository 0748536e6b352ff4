#include "zolmar/exchange/exchange_document_reader.h"

#include <iterator>
#include <limits>

namespace zolmar {

namespace {

// Walks the bytes for the parser and counts the lines it has passed, so each
// event knows the line of what was just read.
class LineCountingIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  LineCountingIterator() = default;
  LineCountingIterator(const char* at, qint32* line) : at_(at), line_(line) {}
  reference operator*() const { return *at_; }
  LineCountingIterator& operator++() {
    if (*at_ == '\n') ++*line_;
    ++at_;
    return *this;
  }
  LineCountingIterator operator++(int) {
    LineCountingIterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const LineCountingIterator& other) const { return at_ == other.at_; }
  bool operator!=(const LineCountingIterator& other) const { return at_ != other.at_; }

 private:
  const char* at_ = nullptr;
  qint32* line_ = nullptr;
};

const char* const kEntero = "debe ser un número entero";

}  // namespace

bool ExchangeDocumentReader::read(const QByteArray& bytes) {
  if (bytes.trimmed().isEmpty()) return refuse(1, QStringLiteral("TipoDocumento"), "el fichero está vacío");
  line_ = 1;
  LineCountingIterator first(bytes.constData(), &line_);
  LineCountingIterator last(bytes.constData() + bytes.size(), &line_);
  const bool parsed = nlohmann::json::sax_parse(first, last, this);
  if (!error_.isEmpty()) return false;
  if (!parsed) return refuse(line_, QString::fromStdString(lastKey_), QString::fromUtf8("no es JSON válido"));
  const char* fields[] = {"TipoDocumento", "TipoArbol", "Contenido"};
  for (int i = 0; i < 3; ++i)
    if (!seen_[i]) return refuse(documentLine_, QString::fromLatin1(fields[i]), "falta el campo");
  return true;
}

bool ExchangeDocumentReader::refuse(qint32 line, const QString& field, const QString& reason) {
  if (error_.isEmpty())
    error_ = QString::fromUtf8("El documento %1 no se puede importar: línea %2, campo %3: %4.")
                 .arg(doc_.name_, QString::number(line),
                      field.isEmpty() ? QStringLiteral("(ninguno)") : field, reason);
  return false;
}

QString ExchangeDocumentReader::slotName(Slot slot) const {
  switch (slot) {
    case Slot::TipoDocumento:
      return QStringLiteral("TipoDocumento");
    case Slot::TipoArbol:
      return QStringLiteral("TipoArbol");
    case Slot::Contenido:
      return QStringLiteral("Contenido");
    case Slot::ZolmarID:
      return QStringLiteral("zolmarID");
    case Slot::IdRama:
      return QStringLiteral("ID_RamaOriginal");
    case Slot::IdPadre:
      return QStringLiteral("ID_RamaPadreOriginal");
    case Slot::Nombre:
      return QStringLiteral("Nombre");
    default:
      return QString::fromStdString(lastKey_);
  }
}

bool ExchangeDocumentReader::wrongType(const char* expected) {
  return refuse(slotLine_, slotName(slot_), QString::fromUtf8(expected));
}

// Where a value that is not a container may stand; false once refused.
bool ExchangeDocumentReader::other(const char*) {
  if (frames_.isEmpty()) return refuse(line_, QString(), "el documento debe ser un objeto JSON");
  switch (frames_.last()) {
    case Frame::Skipped:
      return true;
    case Frame::Content:
      return refuse(line_, QStringLiteral("Contenido"), "cada rama debe ser un objeto");
    default:
      break;
  }
  switch (slot_) {
    case Slot::Ignored:
    case Slot::None:
      return true;
    case Slot::Nombre:
      return wrongType("debe ser un texto");
    case Slot::Contenido:
      return wrongType("debe ser una lista de ramas");
    default:
      return wrongType(kEntero);
  }
}

bool ExchangeDocumentReader::integer(long long value, bool fits) {
  const bool isInteger = slot_ == Slot::TipoDocumento || slot_ == Slot::TipoArbol ||
                         slot_ == Slot::ZolmarID || slot_ == Slot::IdRama || slot_ == Slot::IdPadre;
  if (frames_.isEmpty() || frames_.last() == Frame::Skipped || frames_.last() == Frame::Content || !isInteger)
    return other("integer");
  if (!fits || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
    return wrongType("debe ser un número entero de 32 bits");
  const qint32 n = static_cast<qint32>(value);
  switch (slot_) {
    case Slot::TipoDocumento:
      doc_.tipoDocumento_ = n;
      seen_[0] = true;
      break;
    case Slot::TipoArbol:
      if (n < 1 || n > 3) return wrongType("debe ser 1, 2 o 3");
      doc_.tipoArbol_ = n;
      seen_[1] = true;
      break;
    case Slot::ZolmarID:
      branch_.zolmarID = n;
      branchSeen_[0] = true;
      break;
    case Slot::IdRama:
      branch_.idRamaOriginal = n;
      branchSeen_[1] = true;
      break;
    default:
      branch_.idRamaPadreOriginal = n;
      branchSeen_[2] = true;
      break;
  }
  return true;
}

bool ExchangeDocumentReader::null() { return other("null"); }
bool ExchangeDocumentReader::boolean(bool) { return other("boolean"); }
bool ExchangeDocumentReader::number_integer(number_integer_t value) { return integer(value, true); }
bool ExchangeDocumentReader::number_unsigned(number_unsigned_t value) {
  return integer(static_cast<long long>(value),
                 value <= number_unsigned_t(std::numeric_limits<qint32>::max()));
}
bool ExchangeDocumentReader::number_float(number_float_t, const string_t&) { return other("float"); }
bool ExchangeDocumentReader::binary(binary_t&) { return other("binary"); }

bool ExchangeDocumentReader::string(string_t& value) {
  if (frames_.isEmpty() || frames_.last() != Frame::Branch || slot_ != Slot::Nombre) return other("string");
  branch_.nombre = QString::fromStdString(value);
  branchSeen_[3] = true;
  return true;
}

bool ExchangeDocumentReader::containerValue(bool isObject) {
  if (frames_.isEmpty()) {
    if (!isObject) return refuse(line_, QString(), "el documento debe ser un objeto JSON");
    frames_.push_back(Frame::Document);
    documentLine_ = line_;
    return true;
  }
  switch (frames_.last()) {
    case Frame::Skipped:
      frames_.push_back(Frame::Skipped);
      return true;
    case Frame::Content:
      if (!isObject) return refuse(line_, QStringLiteral("Contenido"), "cada rama debe ser un objeto");
      frames_.push_back(Frame::Branch);
      branch_ = {};
      branch_.line = line_;
      std::fill(std::begin(branchSeen_), std::end(branchSeen_), false);
      return true;
    default:
      break;
  }
  if (slot_ == Slot::Ignored) {
    frames_.push_back(Frame::Skipped);
    return true;
  }
  if (slot_ == Slot::Contenido && !isObject && frames_.last() == Frame::Document) {
    seen_[2] = true;
    frames_.push_back(Frame::Content);
    return true;
  }
  return other(isObject ? "object" : "array");
}

bool ExchangeDocumentReader::start_object(std::size_t) { return containerValue(true); }
bool ExchangeDocumentReader::start_array(std::size_t) { return containerValue(false); }

bool ExchangeDocumentReader::key(string_t& name) {
  if (frames_.last() == Frame::Skipped) return true;
  lastKey_ = name;
  slotLine_ = line_;
  if (frames_.last() == Frame::Document) {
    slot_ = name == "TipoDocumento" ? Slot::TipoDocumento
            : name == "TipoArbol"   ? Slot::TipoArbol
            : name == "Contenido"   ? Slot::Contenido
                                    : Slot::Ignored;
  } else {
    slot_ = name == "zolmarID"               ? Slot::ZolmarID
            : name == "ID_RamaOriginal"      ? Slot::IdRama
            : name == "ID_RamaPadreOriginal" ? Slot::IdPadre
            : name == "Nombre"               ? Slot::Nombre
                                             : Slot::Ignored;
  }
  return true;
}

bool ExchangeDocumentReader::end_object() {
  const Frame frame = frames_.takeLast();
  slot_ = Slot::None;
  if (frame != Frame::Branch) return true;
  const char* fields[] = {"zolmarID", "ID_RamaOriginal", "ID_RamaPadreOriginal", "Nombre"};
  for (int i = 0; i < 4; ++i)
    if (!branchSeen_[i]) return refuse(branch_.line, QString::fromLatin1(fields[i]), "falta el campo");
  doc_.branches_.push_back(branch_);
  return true;
}

bool ExchangeDocumentReader::end_array() {
  frames_.takeLast();
  slot_ = Slot::None;
  return true;
}

bool ExchangeDocumentReader::parse_error(std::size_t, const std::string&,
                                         const nlohmann::detail::exception&) {
  return refuse(line_, QString::fromStdString(lastKey_), QString::fromUtf8("no es JSON válido"));
}

}  // namespace zolmar
