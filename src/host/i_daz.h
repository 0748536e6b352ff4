#pragma once
// I_DAZ: a field descriptor.

#include <QString>
#include <QVariant>

class QWidget;

namespace arboles {

class I_DAZ {
 public:
  virtual ~I_DAZ() = default;
  virtual void I_DAZ_ConfigureControl(QWidget* control) = 0;
  virtual QString I_DAZ_Name() const = 0;
  virtual QString I_DAZ_Mask() const = 0;
  virtual qint32 I_DAZ_DataType() const = 0;
  virtual qint32 I_DAZ_Width() const = 0;
  virtual bool I_DAZ_Indexed() const = 0;
  virtual QVariant I_DAZ_Value() const = 0;
  // The write of the value, so the host can set it through the interface.
  virtual void I_DAZ_SetValue(const QVariant& vValor) = 0;
};

}  // namespace arboles

namespace arboles {

// The host's descriptor classes the table-access classes configure.
class INumberDAZ : public I_DAZ {
 public:
  virtual void Configure(const QString& name, qint32 digits, const QString& tip, const QString& mask,
                         qint32 numericKind, bool indexed) = 0;
};

class ITextDAZ : public I_DAZ {
 public:
  virtual void Configure(const QString& name, qint32 width, const QString& tip, const QString& mask,
                         bool indexed) = 0;
};

}  // namespace arboles
