#pragma once
// cDAZ_ItemArbol: a field of a host record that holds the id of a tree node
// (an article category, a customer group...). Validate resolves what the
// person typed into a node of the right tree through the host's common
// search list.

#include <QString>
#include <QVariant>

#include "host/i_daz.h"

class QWidget;

namespace zolmar {
class get;
}

namespace arboles {

class cTAZ_Arboles;

class cDAZ_ItemArbol : public I_DAZ {
 public:
  static constexpr qint32 MaxFilasLista = 500;

  void Configure(const QString& cNombre, qint32 nTipoArbol, const QString& cTip, bool lIndexar = false);

  void I_DAZ_ConfigureControl(QWidget* oControl) override;
  QString I_DAZ_Name() const override { return cNombre_; }
  QString I_DAZ_Mask() const override { return QStringLiteral("(7)"); }
  qint32 I_DAZ_DataType() const override { return 3; }
  qint32 I_DAZ_Width() const override { return 4; }
  bool I_DAZ_Indexed() const override { return lIndexar_; }
  QVariant I_DAZ_Value() const override { return QVariant(cValor_); }
  // Whatever is assigned is kept as text.
  void I_DAZ_SetValue(const QVariant& valor) override { cValor_ = valor.toString(); }

  qint32 TipoArbol() const { return nTipoArbol_; }
  QString Tip() const { return cTip_; }

  // True when the entry is valid. oCtlSAY (may be null) receives the chosen
  // id; lForzarLista shows the list even for an empty entry; lTodas offers
  // nodes with children too; cFiltro narrows the list with an SQL condition;
  // nID_ArtSinCtlSay is the id the list works on without a display control.
  bool Validate(cTAZ_Arboles& oTAZ_Arboles, zolmar::get* oCtlSAY, zolmar::get& oCtlGET, bool lForzarLista,
                bool lTodas = false, const QString& cFiltro = QString(), qint32 nID_ArtSinCtlSay = 0);

  // The list query for a typed text (what Validate hands to the list).
  QString ConsultaLista(cTAZ_Arboles& oTAZ_Arboles, const QString& cTexto, bool lTodas,
                        const QString& cFiltro) const;

 private:
  QString Acotar(cTAZ_Arboles& oTAZ_Arboles, const QString& cTexto) const;

  QString cNombre_;
  qint32 nTipoArbol_ = 0;
  QString cTip_;
  bool lIndexar_ = false;
  QString cValor_;
};

}  // namespace arboles
