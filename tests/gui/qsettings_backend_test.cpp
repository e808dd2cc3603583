// The settings file: every name of the settings layout, and names built to be
// awkward, must come back exactly with their types and values, in a process
// that did not write them; damaged files and values must not stop a start;
// two instances writing at once must not lose each other's values.
//
// The test binary re-runs itself (see main) to read back in a fresh process
// and to act as a second, concurrent writer.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <bit>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "core/foundation/settings_store.h"
#include "gui/platform/qsettings_backend.h"

using namespace quandrel;

namespace {

const std::string kRoot = "Software\\Brackwell\\Quandrel! v5.7";

struct Entry {
  std::string key;
  std::string name;
};

// The names of the settings layout, written out here independently of the
// store's own tables.
std::vector<Entry> LayoutEntries() {
  const char* rootValues[] = {
      "Version", "Run times", "Data", "Database", "Name", "Organization", "Preparer", "Preparer's Company",
      "Show hints", "Show button hints", "Show Toolbar hints", "Save positions", "Restore positions",
      "Color background", "NPV Tab Cell2Cell", "IRR Tab Cell2Cell", "Gross Profit Tab Cell2Cell",
      "Purchase Pwr Tab Cell2Cell", "Wt Avg Tab Cell2Cell", "Tips", "Left", "Top",
      // global defaults
      "Annual &Rate? (%):", "P&oints? (%):", "Points Are?:", "Payme&nt Period?:", "Compounding Perio&d?:",
      "Payment &Method?:", "Amorti&zing Method?:", "Odd Days Interest Paid When?:",
      "Odd Days Interest Calculation?:", "Short Period Interest Paid How?:",
      "Short Period Interest Calculation?:", "Rate &Basis?:", "Days Per Year?:", "Loan Acceleration Method?:",
      "Apply US Rule?:", "Acceleration Percen&tage? (%):", "P&rice is Per # of Units?:",
      "Use for &Starting Date?:", "&Twice monthly payment days?:", "Bus&iness Use? (%):",
      "&Depreciation Method?:", "IRS Con&vention?:", "Tax Effect?:", "I&nterest && Points are?:",
      "&Discount Rate? (%):", "First &Interest Rate? (%):", "&Second Interest Rate? (%):",
      "&Inflation Rate ? (%): ", "Mar&ginal Tax Rate? (%):", "Purcha&se Price?:", "&Amount of Loan?:",
      "Fixed Income", "Fixed Income Rate Basis", "Reserved: ",
      // account, loan and creditor
      "Account First Name", "Account Initial", "Account Last Name", "Account Business", "Account Address 1",
      "Account Address 2", "Account City", "Account State", "Account Zip", "Account Country",
      "Account Phone 1", "Account Phone 2", "Account Extn", "Loan Block No", "Loan Lot No",
      "Loan Prop Address", "Loan City", "Loan State", "Loan ZIP", "Loan Country", "Loan Collateral",
      "Loan Other Collateral", "Creditor", "Creditor Loan Officer", "Creditor Address 1",
      "Creditor Address 2", "Creditor City", "Creditor State", "Creditor ZIP", "Creditor Country",
      "Creditor Phone 1", "Creditor Phone 2", "Creditor Ext",
      // built to be awkward
      "", " lead", "trail ", "  ", "100% sure", "%41", "a\\b/c//d", "back\\", "/", "General", ".key",
      ".format", ".default", "caf\xC3\xA9 \xE2\x82\xAC", "semi;colon=equals,comma", "\"quoted\"",
      "@Variant(x)", "tab\there"};
  const char* printerValues[] = {"Selected Printer", "Paper Width", "Font Name",   "Font Size",
                                 "fsBold",           "fsItalic",    "fsUnderline", "fsStrike Out"};
  const char* calculators[] = {"Accelerated Payment Calculator",
                               "Affordable House Calculator",
                               "Amortization Schedule",
                               "Amortization Summary",
                               "Annual Percentage Rate",
                               "Annuity Schedule",
                               "Balloon Payment Calculator",
                               "Break Even Advisor",
                               "Bridge Loan Calculator",
                               "Budget Account Information",
                               "Budget Calculator",
                               "Compound/Simple Interest Calculator",
                               "Declining Balance Depreciation Calculator",
                               "Economic Ordering Quantity Calculator",
                               "Equivalent Rate Calculator",
                               "Fixed Income/Bond Calculator",
                               "Future Value Schedule",
                               "Gross Profit Calculator",
                               "Internal Rate of Return Calculator",
                               "Lease v. Buy Advisor",
                               "Loan Calculator",
                               "Loan Comparison Advisor",
                               "MACRS Depreciation Calculator",
                               "Net Present Value Calculator",
                               "Net Worth Calculator",
                               "Payment Required Calculator",
                               "Present Value of a Series",
                               "Present Value of an Amount Calculator",
                               "Purchasing Power Calculator",
                               "Refinance Advisor",
                               "Remaining Balance Calculator",
                               "Rental Income Analysis Calculator",
                               "Return on Investment (ROI)",
                               "Straight Line Depreciation Calculator",
                               "Sum-of-Years Depreciation Calculator",
                               "Weighted Average Calculator"};
  const char* calculatorValues[] = {"&Amount?:",
                                    "&Number of Days? (#):",
                                    "Annual &Rate? (%):",
                                    "Start Day",
                                    "&Start Date?:",
                                    "End Day",
                                    "End Da&te?:",
                                    "Compounding Perio&d?:",
                                    "Rate &Basis?:",
                                    "DefaultAnnual &Rate? (%):",
                                    "DefaultCompounding Perio&d?:",
                                    "DefaultRate &Basis?:",
                                    "DefaultLast entered calculation",
                                    "DefaultDefaults",
                                    "DefaultLocal",
                                    "DefaultGlobal",
                                    "DefaultPublisher's"};
  std::vector<Entry> entries;
  for (const char* name : rootValues) {
    entries.push_back({kRoot, name});
  }
  for (const char* name : printerValues) {
    entries.push_back({kRoot + "\\Printer", name});
  }
  for (const char* calculator : calculators) {
    for (const char* name : calculatorValues) {
      entries.push_back({kRoot + "\\" + calculator, name});
    }
    for (const char* window : {" 1", " 2"}) {
      entries.push_back({kRoot + "\\" + calculator + window, "Left"});
      entries.push_back({kRoot + "\\" + calculator + window, "Top"});
    }
  }
  // Key names built to be awkward, each with one value.
  for (const char* key : {" Leading blank", "Trailing blank ", "50% & more: why?", "General", ".key"}) {
    entries.push_back({kRoot + "\\" + key, "Left"});
  }
  return entries;
}

// Reals whose bit patterns must survive: signed zeros, the extremes,
// subnormals, infinities and NaNs with payloads.
const std::uint64_t kRealBits[] = {
    0x0000000000000000, 0x8000000000000000, 0x3FD5555555555555, 0x3FB999999999999A,
    0x0010000000000000, 0x0000000000000001, 0x8000000000000001, 0x7FEFFFFFFFFFFFFF,
    0xFFEFFFFFFFFFFFFF, 0x7FF0000000000000, 0xFFF0000000000000, 0x7FF8000000000123,
    0x7FF0000000000001, 0xFFF8000000000000, 0x4021000000000000, 0xC0C81CD6C8B43958};

// The value the writer gives the i-th entry; types cycle so that every name
// is tried with several of them across the layout.
SettingsValueType TypeOf(std::size_t i) {
  static const SettingsValueType kTypes[] = {SettingsValueType::Integer, SettingsValueType::Boolean,
                                             SettingsValueType::Real, SettingsValueType::String};
  return kTypes[i % 4];
}
std::int32_t IntegerOf(std::size_t i) {
  return static_cast<std::int32_t>(i * 7919) - 2147483647;
}
bool BooleanOf(std::size_t i) {
  return i % 3 == 0;
}
double RealOf(std::size_t i) {
  return std::bit_cast<double>(kRealBits[i % std::size(kRealBits)]);
}
std::string StringOf(const Entry& e) {
  return "  " + e.name + ", caf\xC3\xA9 \"q\" = ; \\ %20 @x ";
}

void WriteLayout(SettingsBackend& backend) {
  const std::vector<Entry> entries = LayoutEntries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    switch (TypeOf(i)) {
      case SettingsValueType::Integer:
        backend.WriteInteger(e.key, e.name, IntegerOf(i));
        break;
      case SettingsValueType::Boolean:
        backend.WriteBoolean(e.key, e.name, BooleanOf(i));
        break;
      case SettingsValueType::Real:
        backend.WriteReal(e.key, e.name, RealOf(i));
        break;
      default:
        backend.WriteString(e.key, e.name, StringOf(e));
        break;
    }
  }
  for (std::size_t i = 0; i < std::size(kRealBits); ++i) {
    backend.WriteReal(kRoot + "\\Bit Patterns", "r" + std::to_string(i), std::bit_cast<double>(kRealBits[i]));
  }
  backend.CreateKey(kRoot + "\\Empty Key\\Below It");
}

// Reads everything WriteLayout wrote; returns one line per difference.
QStringList VerifyLayout(const SettingsBackend& backend) {
  QStringList problems;
  const std::vector<Entry> entries = LayoutEntries();
  std::map<std::string, std::set<std::string>> namesByKey;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Entry& e = entries[i];
    namesByKey[e.key].insert(e.name);
    const QString where = QString::fromStdString(e.key + " | [" + e.name + "]");
    if (backend.ValueType(e.key, e.name) != TypeOf(i)) {
      problems << where + QStringLiteral(": wrong type");
      continue;
    }
    bool same = false;
    switch (TypeOf(i)) {
      case SettingsValueType::Integer:
        same = backend.ReadInteger(e.key, e.name) == IntegerOf(i);
        break;
      case SettingsValueType::Boolean:
        same = backend.ReadBoolean(e.key, e.name) == BooleanOf(i);
        break;
      case SettingsValueType::Real: {
        const std::optional<double> r = backend.ReadReal(e.key, e.name);
        same = r && std::bit_cast<std::uint64_t>(*r) == std::bit_cast<std::uint64_t>(RealOf(i));
        break;
      }
      default:
        same = backend.ReadString(e.key, e.name) == StringOf(e);
        break;
    }
    if (!same) {
      problems << where + QStringLiteral(": wrong value");
    }
  }
  for (const auto& [key, names] : namesByKey) {
    const std::vector<std::string> listed = backend.ValueNames(key);
    if (std::set<std::string>(listed.begin(), listed.end()) != names) {
      problems << QString::fromStdString(key) + QStringLiteral(": value names differ");
    }
  }
  for (std::size_t i = 0; i < std::size(kRealBits); ++i) {
    const std::optional<double> r = backend.ReadReal(kRoot + "\\Bit Patterns", "r" + std::to_string(i));
    if (!r || std::bit_cast<std::uint64_t>(*r) != kRealBits[i]) {
      problems << QStringLiteral("real %1 changed").arg(kRealBits[i], 16, 16, QLatin1Char('0'));
    }
  }
  if (!backend.KeyExists(kRoot + "\\Empty Key\\Below It")) {
    problems << QStringLiteral("an empty key was lost");
  }
  return problems;
}

QString SelfPath() {
  return QCoreApplication::applicationFilePath();
}

}  // namespace

class QSettingsBackendTest : public QObject {
  Q_OBJECT

 private slots:
  void everyLayoutNameRoundTripsInAFreshProcess();
  void namesIgnoreLetterCaseAndKeepTheirSpelling();
  void damagedValuesReadAsMissing();
  void damagedFileIsMovedAsideAndTheStoreStartsWithDefaults_data();
  void damagedFileIsMovedAsideAndTheStoreStartsWithDefaults();
  void twoInstancesWritingAtOnceLoseNothing();
};

void QSettingsBackendTest::everyLayoutNameRoundTripsInAFreshProcess() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  {
    QSettingsBackend backend(file);
    QCOMPARE(backend.State(), QSettingsBackend::FileState::Ok);
    WriteLayout(backend);
    QCOMPARE(VerifyLayout(backend), QStringList());
  }
  QProcess reader;
  reader.start(SelfPath(), {QStringLiteral("--verify-layout"), file});
  QVERIFY(reader.waitForFinished(60000));
  QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()), QString());
  QCOMPARE(reader.exitCode(), 0);
}

void QSettingsBackendTest::namesIgnoreLetterCaseAndKeepTheirSpelling() {
  QTemporaryDir dir;
  QSettingsBackend backend(dir.filePath(QStringLiteral("settings.ini")));
  backend.WriteBoolean(kRoot, "Show hints", false);
  backend.WriteBoolean("SOFTWARE\\brackwell\\QUANDREL! V5.7", "show HINTS", true);
  QCOMPARE(backend.ReadBoolean(kRoot, "Show Hints"), std::optional<bool>(true));
  QCOMPARE(backend.ValueNames(kRoot), std::vector<std::string>{"Show hints"});
  QCOMPARE(backend.SubKeyNames("Software\\Brackwell"), std::vector<std::string>{"Quandrel! v5.7"});
  // Booleans and integers are the same number; other types do not convert.
  QCOMPARE(backend.ReadInteger(kRoot, "Show hints"), std::optional<std::int32_t>(1));
  QCOMPARE(backend.ReadString(kRoot, "Show hints"), std::optional<std::string>());

  backend.WriteInteger(kRoot + "\\Loan Calculator 1\\Deeper", "Left", 4);
  backend.DeleteValue(kRoot, "SHOW hints");
  QVERIFY(!backend.ValueExists(kRoot, "Show hints"));
  backend.DeleteKey(kRoot + "\\loan calculator 1");
  QVERIFY(!backend.KeyExists(kRoot + "\\Loan Calculator 1\\Deeper"));
  QVERIFY(!backend.KeyExists(kRoot + "\\Loan Calculator 1"));
  QVERIFY(backend.KeyExists(kRoot));
}

void QSettingsBackendTest::damagedValuesReadAsMissing() {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  QSettingsBackend backend(file);
  backend.WriteInteger(kRoot, "Run times", 5);
  const QString group = QStringLiteral("Software/Brackwell/") +
                        QSettingsBackend::EncodeName("Quandrel! v5.7") + QLatin1Char('/');
  struct Damage {
    const char* name;
    QVariant raw;
  };
  const Damage damages[] = {{"Show hints", QStringLiteral("b:maybe")},
                            {"Payme&nt Period?:", QStringLiteral("i:99999999999")},
                            {"Compounding Perio&d?:", QStringLiteral("i:6x")},
                            {"Annual &Rate? (%):", QStringLiteral("r:xyz")},
                            {"P&oints? (%):", QStringLiteral("r:3FF0")},
                            {"Preparer", QStringList{QStringLiteral("s:a"), QStringLiteral("b")}},
                            {"Tips", QStringLiteral("1")},
                            {"Reserved: ", QStringLiteral("q:2")}};
  {
    QSettings raw(file, QSettings::IniFormat);
    for (const Damage& d : damages) {
      raw.setValue(group + QSettingsBackend::EncodeName(d.name), d.raw);
    }
  }
  for (const Damage& d : damages) {
    QVERIFY2(backend.ValueExists(kRoot, d.name), d.name);
    QVERIFY2(backend.ValueType(kRoot, d.name) == SettingsValueType::None, d.name);
    QVERIFY2(!backend.ReadInteger(kRoot, d.name) && !backend.ReadBoolean(kRoot, d.name) &&
                 !backend.ReadReal(kRoot, d.name) && !backend.ReadString(kRoot, d.name),
             d.name);
  }
  const FixedSystemFacts facts("Owner", "", dir.filePath(QStringLiteral("data")).toStdString());
  TStRegIniEx store(backend, facts);
  QCOMPARE(store.ShowHints(), true);
  QCOMPARE(store.DefaultPaymentPeriod(), 5);
  QCOMPARE(store.DefaultCompounding(), 6);
  QCOMPARE(store.DefaultAnnualRate(), 0.0);
  QCOMPARE(store.Preparer(), std::string());
  QCOMPARE(store.Reserved(), 2);
  QCOMPARE(store.RunTimes(), 5);
}

void QSettingsBackendTest::damagedFileIsMovedAsideAndTheStoreStartsWithDefaults_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::newRow("garbage bytes") << QByteArray(
      "\x00\xff\xfe[Gen\x01eral\n=%zz\n\x02\x03==\n[]\n\\\\\\%U12\n"
      "@Variant(\x00\x00\x00\x7f\n",
      48);
  QTest::newRow("some other program's file") << QByteArray("[Window]\nwidth=640\n");
}

void QSettingsBackendTest::damagedFileIsMovedAsideAndTheStoreStartsWithDefaults() {
  QFETCH(QByteArray, content);
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  {
    QFile damaged(file);
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(content);
  }
  const FixedSystemFacts facts("Owner", "", dir.filePath(QStringLiteral("data")).toStdString());
  {
    QSettingsBackend backend(file);
    QCOMPARE(backend.State(), QSettingsBackend::FileState::MovedDamagedFileAside);
    QCOMPARE(backend.DamagedFilePath(), file + QStringLiteral(".corrupt"));
    QFile aside(backend.DamagedFilePath());
    QVERIFY(aside.open(QIODevice::ReadOnly));
    QCOMPARE(aside.readAll(), content);

    TStRegIniEx store(backend, facts);
    QVERIFY(store.IsFirstRun());
    QCOMPARE(store.ShowHints(), true);
    QCOMPARE(store.DefaultCompounding(), 6);
    QCOMPARE(store.UserName(), std::string("Owner"));
    store.SetDefaultCompounding(8);
    store.Shutdown();
  }
  QProcess reader;
  reader.start(SelfPath(), {QStringLiteral("--print-compounding"), file});
  QVERIFY(reader.waitForFinished(60000));
  QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()), QStringLiteral("ok 8 1"));
}

void QSettingsBackendTest::twoInstancesWritingAtOnceLoseNothing() {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("settings.ini"));
  constexpr int kEach = 40;
  QProcess first;
  QProcess second;
  first.start(SelfPath(),
              {QStringLiteral("--write-many"), file, QStringLiteral("A"), QString::number(kEach)});
  second.start(SelfPath(),
               {QStringLiteral("--write-many"), file, QStringLiteral("B"), QString::number(kEach)});
  QVERIFY(first.waitForFinished(120000));
  QVERIFY(second.waitForFinished(120000));
  QCOMPARE(first.exitCode(), 0);
  QCOMPARE(second.exitCode(), 0);

  QSettingsBackend backend(file);
  QCOMPARE(backend.State(), QSettingsBackend::FileState::Ok);
  QStringList missing;
  for (const char* prefix : {"A", "B"}) {
    for (int i = 0; i < kEach; ++i) {
      const std::string name = std::string(prefix) + " " + std::to_string(i);
      if (backend.ReadInteger(kRoot + "\\Loan Calculator", name) != i) {
        missing << QString::fromStdString(name);
      }
    }
  }
  QCOMPARE(missing, QStringList());
}

// The modes the test runs itself in.
static int RunHelperMode(const QStringList& args) {
  if (args.size() == 3 && args[1] == QLatin1String("--verify-layout")) {
    QSettingsBackend backend(args[2]);
    const QStringList problems = VerifyLayout(backend);
    std::fputs(problems.join(QLatin1Char('\n')).toUtf8().constData(), stdout);
    return problems.isEmpty() ? 0 : 1;
  }
  if (args.size() == 3 && args[1] == QLatin1String("--print-compounding")) {
    QSettingsBackend backend(args[2]);
    const FixedSystemFacts facts("", "", {});
    TStRegIniEx store(backend, facts);
    const bool ok = backend.State() == QSettingsBackend::FileState::Ok;
    std::printf("%s %d %d", ok ? "ok" : "damaged", store.DefaultCompounding(), store.RunTimes());
    return 0;
  }
  if (args.size() == 5 && args[1] == QLatin1String("--write-many")) {
    QSettingsBackend backend(args[2]);
    const std::string prefix = args[3].toStdString();
    for (int i = 0; i < args[4].toInt(); ++i) {
      backend.WriteInteger(kRoot + "\\Loan Calculator", prefix + " " + std::to_string(i), i);
    }
    return 0;
  }
  return -1;
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int helper = RunHelperMode(QCoreApplication::arguments());
  if (helper >= 0) {
    return helper;
  }
  QSettingsBackendTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "qsettings_backend_test.moc"
