#pragma once

// "Global Settings": the global defaults that calculators open with when
// their opening rule is "Defaults" with "Global", the data and database
// folders and the preparer's name, on three pages. The dialog opens with the
// settings store's cached values; "Defaults" shows the publisher's values
// (nothing is stored yet); OK checks every value and stores the changed ones;
// Cancel stores nothing. The rules are in core/shell/global_settings_model.h.

#include <QDialog>
#include <array>

#include "core/foundation/locale_facts.h"
#include "core/shell/global_settings_model.h"

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace quandrel {

class TfrmGlobalSettings : public QDialog {
  Q_OBJECT

 public:
  TfrmGlobalSettings(TStRegIniEx& settings, QWidget* parent = nullptr);

  // The control of a field: a QComboBox, a TMaskedNumberEdit or a QLineEdit.
  QWidget* Field(GlobalField field) const { return m_fields[static_cast<std::size_t>(field)]; }
  QTabWidget* Pages() const { return m_pages; }
  // btnDefaults, btnCancel, btnHelp, btnOK, btnBrowseData, btnBrowseDatabase.
  QPushButton* Button(const QString& objectName) const;

  // The record as the controls show it; a number field whose text is not a
  // number throws EGlobalSettingsInput naming it.
  TGlobalSettingsRecord FormToRecord() const;
  void RecordToForm(const TGlobalSettingsRecord& record);

  // "Defaults": the publisher's values on the pages.
  void ShowPublisherDefaults();

  // OK: stores the record and closes; a value that cannot be stored is
  // named in the error box, its control gets the focus and the dialog stays.
  void accept() override;

 private:
  void BuildPage(int page, QWidget* container);
  QWidget* MakeField(const GlobalFieldInfo& info, QWidget* parent);
  void Browse(GlobalField field, const QString& title);
  void FocusField(GlobalField field);

  TStRegIniEx& m_settings;
  LocaleFacts m_facts;
  QTabWidget* m_pages = nullptr;
  std::array<QWidget*, kGlobalFieldCount> m_fields{};
};

}  // namespace quandrel
