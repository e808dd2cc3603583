#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>
#include <filesystem>
#include <vector>

#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/system_facts.h"
#include "gui/shell/global_settings_form.h"
#include "gui/shell/message_boxes.h"
#include "gui/widgets/masked_number_edit.h"

using namespace quandrel;
using G = GlobalField;

namespace {

// A fresh user's settings in memory, the C (United States) locale and
// message boxes recorded instead of shown.
struct Program {
  MemorySettingsBackend backend;
  FixedSystemFacts system{"Ann Smith", "", std::filesystem::temp_directory_path() / "quandrel-gui-tests"};
  TStRegIniEx settings{backend, system};
  std::vector<QString> errors;

  Program() {
    QLocale::setDefault(QLocale::c());
    SetMessageHandler([this](QWidget*, MessageKind, const QString& text) { errors.push_back(text); });
    backend.ClearChanges();
  }
  ~Program() { SetMessageHandler(nullptr); }
};

QComboBox* Combo(const TfrmGlobalSettings& d, G field) {
  return qobject_cast<QComboBox*>(d.Field(field));
}
TMaskedNumberEdit* Number(const TfrmGlobalSettings& d, G field) {
  return qobject_cast<TMaskedNumberEdit*>(d.Field(field));
}
QLineEdit* Text(const TfrmGlobalSettings& d, G field) {
  return qobject_cast<QLineEdit*>(d.Field(field));
}

void Type(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
  QTest::keyClick(edit, Qt::Key_Tab);
}

}  // namespace

class GlobalSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheStoredValues() {
    Program p;
    p.settings.SetDefaultDaysPerYear(4);
    p.settings.SetDefaultCompounding(compounding::Quarterly);
    p.settings.SetDefaultAnnualRate(7.0);
    TfrmGlobalSettings dialog(p.settings);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Global Settings"));
    QCOMPARE(dialog.Pages()->count(), 3);
    QCOMPARE(Combo(dialog, G::DaysPerYear)->currentText(), QStringLiteral("Actual/365"));
    QCOMPARE(Combo(dialog, G::Compounding)->currentText(), QStringLiteral("Quarterly"));
    QCOMPARE(Combo(dialog, G::Compounding)->maxVisibleItems(), 12);
    QCOMPARE(Combo(dialog, G::PointsAre)->currentText(), QStringLiteral("With First"));
    QCOMPARE(Combo(dialog, G::InterestRateIs)->currentIndex(), -1);
    QCOMPARE(Combo(dialog, G::InterestRateIs)->count(), 6);
    QCOMPARE(Number(dialog, G::AnnualRate)->text(), QStringLiteral("0.0000"));
    QCOMPARE(Number(dialog, G::InitialAmount)->text(), QStringLiteral("$0.00"));
    QCOMPARE(Text(dialog, G::Preparer)->text(), QStringLiteral("Ann Smith"));
    QVERIFY(dialog.Button(QStringLiteral("btnBrowseData")) != nullptr);
    QVERIFY(dialog.Button(QStringLiteral("btnBrowseDatabase")) != nullptr);
  }

  void okStoresWhatWasEnteredAndTheNextOpeningShowsIt() {
    Program p;
    {
      TfrmGlobalSettings dialog(p.settings);
      dialog.show();
      Combo(dialog, G::Compounding)->setCurrentIndex(compounding::Daily);
      Combo(dialog, G::DaysPerYear)->setCurrentIndex(1);
      Combo(dialog, G::StartingDate)->setCurrentIndex(3);
      Type(Number(dialog, G::BusinessUse), QStringLiteral("60"));
      Type(Number(dialog, G::PricePerUnits), QStringLiteral("1,000"));
      Type(Number(dialog, G::InitialAmount), QStringLiteral("250,000.50"));
      Type(Number(dialog, G::FirstInterestRate), QStringLiteral("6.875"));
      Type(Number(dialog, G::AnnualRate), QStringLiteral("9"));
      Type(Text(dialog, G::Preparer), QStringLiteral("Jo Brown"));
      dialog.setResult(QDialog::Rejected);
      QTest::mouseClick(dialog.Button(QStringLiteral("btnOK")), Qt::LeftButton);
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QVERIFY(p.errors.empty());
    QCOMPARE(p.settings.DefaultCompounding(), compounding::Daily);
    QCOMPARE(p.settings.DefaultDaysPerYear(), 4);  // Actual/365 is rate basis 4
    QCOMPARE(p.settings.DefaultStartingDate(), 3);
    QCOMPARE(p.settings.DefaultBusinessUse(), 60);
    QCOMPARE(p.settings.DefaultPricePerUnits(), 1000);
    QCOMPARE(p.settings.DefaultLoanAmount(), 250000.50);
    QCOMPARE(p.settings.DefaultFirstInterestRate(), 6.875);
    QCOMPARE(p.settings.Preparer(), std::string("Jo Brown"));
    QCOMPARE(p.settings.DefaultAnnualRate(), 0.0);  // never stored from here

    // A user's settings store read afresh from the same backend.
    TStRegIniEx again(p.backend, p.system);
    TfrmGlobalSettings reopened(again);
    QCOMPARE(Combo(reopened, G::Compounding)->currentText(), QStringLiteral("Daily"));
    QCOMPARE(Combo(reopened, G::DaysPerYear)->currentText(), QStringLiteral("Actual/365"));
    QCOMPARE(Number(reopened, G::InitialAmount)->text(), QStringLiteral("$250,000.50"));
    QCOMPARE(Number(reopened, G::AnnualRate)->text(), QStringLiteral("0.0000"));
  }

  void defaultsShowThePublishersValuesAndOnlyOkStoresThem() {
    Program p;
    {
      TfrmGlobalSettings dialog(p.settings);
      QTest::mouseClick(dialog.Button(QStringLiteral("btnDefaults")), Qt::LeftButton);
      QCOMPARE(Combo(dialog, G::StartingDate)->currentText(), QStringLiteral("First this month"));
      QCOMPARE(Combo(dialog, G::DepreciationMethod)->currentText(), QStringLiteral("200% DB"));
      QCOMPARE(Text(dialog, G::DataPath)->text(), QString());
      QTest::mouseClick(dialog.Button(QStringLiteral("btnCancel")), Qt::LeftButton);
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
    QVERIFY(p.backend.Changes().empty());

    TfrmGlobalSettings dialog(p.settings);
    QTest::mouseClick(dialog.Button(QStringLiteral("btnDefaults")), Qt::LeftButton);
    dialog.accept();
    QCOMPARE(p.settings.DataPath(), std::string());
    QCOMPARE(p.settings.DatabasePath(), std::string());
    QCOMPARE(p.settings.DefaultStartingDate(), 2);
  }

  void aRefusedValueKeepsTheDialogOpenAndStoresNothing() {
    Program p;
    TfrmGlobalSettings dialog(p.settings);
    dialog.show();
    Combo(dialog, G::Compounding)->setCurrentIndex(compounding::Annually);
    Type(Number(dialog, G::BusinessUse), QStringLiteral("150"));
    dialog.Pages()->setCurrentIndex(0);
    dialog.setResult(QDialog::Rejected);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(p.errors.size(), std::size_t{1});
    QVERIFY2(p.errors.front().contains(QStringLiteral("Business Use Pct?:")), qPrintable(p.errors.front()));
    QCOMPARE(dialog.Pages()->currentIndex(), 2);  // the page of the refused field
    QVERIFY(p.backend.Changes().empty());
    QCOMPARE(p.settings.DefaultCompounding(), compounding::Monthly);
  }
};

QTEST_MAIN(GlobalSettingsTest)
#include "global_settings_test.moc"
