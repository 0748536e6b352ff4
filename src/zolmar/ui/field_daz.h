#pragma once
// Common part of the host's field descriptors: what a field is called, how
// it is shown and checked in an entry, and the value it holds.

#include "host/i_daz.h"

namespace zolmar {

class FieldDAZ {
 public:
  void configureControl(QWidget* control) const;

  QString name;
  QString tip;
  QString mask;
  qint32 dataType = 0;  // get::TipoDato
  qint32 width = 0;
  bool indexed = false;
  QVariant value;
};

// Implements I_DAZ over a FieldDAZ for each descriptor class.
template <typename Interface>
class FieldDAZImpl : public Interface {
 public:
  void I_DAZ_ConfigureControl(QWidget* control) override { field_.configureControl(control); }
  QString I_DAZ_Name() const override { return field_.name; }
  QString I_DAZ_Mask() const override { return field_.mask; }
  qint32 I_DAZ_DataType() const override { return field_.dataType; }
  qint32 I_DAZ_Width() const override { return field_.width; }
  bool I_DAZ_Indexed() const override { return field_.indexed; }
  QVariant I_DAZ_Value() const override { return field_.value; }
  void I_DAZ_SetValue(const QVariant& value) override { field_.value = value; }

  QString Tip() const { return field_.tip; }

 protected:
  FieldDAZ field_;
};

}  // namespace zolmar
