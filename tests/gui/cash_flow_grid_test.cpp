#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

#include "core/finance/cash_flows.h"
#include "core/foundation/date_arithmetic.h"
#include "core/foundation/locale_facts.h"
#include "gui/widgets/cash_flow_grid.h"
#include "gui/widgets/cash_flow_table_model.h"

using namespace quandrel;

namespace {

constexpr int kQuarterly = 7;  // payment-period position

// Five quarterly flows from 1 January 2026 (three data rows, the last with
// one entry) in a window with a field before and a button after the grid.
struct GridFixture {
  TCashFlowEntries entries;
  QWidget window;
  QLineEdit* before;
  TCashFlowGrid* grid;
  QPushButton* after;
  std::unique_ptr<TCashFlowTableModel> model;

  explicit GridFixture(const LocaleFacts& facts = LocaleFacts::UnitedStates(), std::int32_t n = 5) {
    entries.Build(DateFromDMY(1, 1, 2026), kQuarterly, n, 0, TCashFlowEntries::Amounts::Zero);
    model = std::make_unique<TCashFlowTableModel>(entries);
    auto* layout = new QVBoxLayout(&window);
    before = new QLineEdit(&window);
    grid = new TCashFlowGrid(facts, &window);
    after = new QPushButton(QStringLiteral("After"), &window);
    layout->addWidget(before);
    layout->addWidget(grid);
    layout->addWidget(after);
    grid->setModel(model.get());
    window.resize(700, 400);
    window.show();
    QApplication::setActiveWindow(&window);
    grid->setFocus();
    grid->goToCell(0, 2);
  }

  QModelIndex At(int row, int column) const { return model->index(row, column); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : grid;
    QTest::keyClick(target, key, modifiers);
  }
  void TypeInCell(int row, int column, const QString& text) {
    grid->goToCell(row, column);
    // The first key opens the cell's editor, which takes the others.
    for (const QChar c : text) {
      QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : grid;
      QTest::keyClicks(target, QString(c));
    }
  }
  double Amount(std::int32_t k) const { return entries.Entry(k).amount; }
};

struct Cell {
  int row;
  int column;
};

}  // namespace

class CashFlowGridTest : public QObject {
  Q_OBJECT

 private slots:
  void laysOutTwoFlowsPerRow() {
    GridFixture f;
    QCOMPARE(f.model->rowCount(), 3);
    QCOMPARE(f.model->columnCount(), 6);
    QCOMPARE(f.model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Date"));
    QCOMPARE(f.model->headerData(5, Qt::Horizontal).toString(), QStringLiteral("Amount"));
    // Row 2 holds entries 3 and 4; the last row only entry 5.
    QCOMPARE(f.model->data(f.At(1, 0)).toInt(), 3);
    QCOMPARE(f.model->data(f.At(1, 3)).toInt(), 4);
    QCOMPARE(f.model->data(f.At(2, 0)).toInt(), 5);
    for (int column = 3; column < 6; ++column) {
      QCOMPARE(f.model->data(f.At(2, column), grid_role::Kind).toInt(),
               static_cast<int>(GridCellKind::Empty));
      QCOMPARE(f.model->flags(f.At(2, column)), Qt::ItemFlags());
    }
    // Quarterly dates from the initial date; the second flow is 1 July 2026.
    QCOMPARE(f.model->data(f.At(0, 4), grid_role::Value).toInt(), DateFromDMY(1, 7, 2026));
    // Numbers are never editable, dates only with exact days.
    QVERIFY(!(f.model->flags(f.At(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!(f.model->flags(f.At(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(f.model->flags(f.At(0, 2)) & Qt::ItemIsEditable);
    f.model->SetDatesEditable(true);
    QVERIFY(f.model->flags(f.At(0, 4)) & Qt::ItemIsEditable);
    QVERIFY(!(f.model->flags(f.At(0, 3)) & Qt::ItemIsEditable));
  }

  void arrowsSkipReadOnlyCellsAndWrapRows_data() {
    QTest::addColumn<bool>("exactDays");
    QTest::addColumn<int>("fromRow");
    QTest::addColumn<int>("fromColumn");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toColumn");
    QTest::newRow("right to the second amount") << false << 0 << 2 << int(Qt::Key_Right) << 0 << 5;
    QTest::newRow("right wraps to the next row") << false << 0 << 5 << int(Qt::Key_Right) << 1 << 2;
    QTest::newRow("left wraps to the row above") << false << 1 << 2 << int(Qt::Key_Left) << 0 << 5;
    QTest::newRow("left stops at row 1") << false << 0 << 2 << int(Qt::Key_Left) << 0 << 2;
    QTest::newRow("right stops at the last flow") << false << 2 << 2 << int(Qt::Key_Right) << 2 << 2;
    QTest::newRow("down keeps the column") << false << 0 << 5 << int(Qt::Key_Down) << 1 << 5;
    QTest::newRow("down into the empty half stays") << false << 1 << 5 << int(Qt::Key_Down) << 1 << 5;
    QTest::newRow("up stops at row 1") << false << 0 << 2 << int(Qt::Key_Up) << 0 << 2;
    QTest::newRow("home goes to row 1") << false << 2 << 2 << int(Qt::Key_Home) << 0 << 2;
    QTest::newRow("end goes to the last flow") << false << 0 << 5 << int(Qt::Key_End) << 2 << 2;
    QTest::newRow("enter moves like right") << false << 0 << 5 << int(Qt::Key_Return) << 1 << 2;
    QTest::newRow("exact days: right reaches the date") << true << 0 << 2 << int(Qt::Key_Right) << 0 << 4;
    QTest::newRow("exact days: left from a date") << true << 0 << 4 << int(Qt::Key_Left) << 0 << 2;
    QTest::newRow("exact days: first date stays") << true << 0 << 1 << int(Qt::Key_Left) << 0 << 1;
    QTest::newRow("exact days: wrap to the first date") << true << 0 << 5 << int(Qt::Key_Right) << 1 << 1;
  }
  void arrowsSkipReadOnlyCellsAndWrapRows() {
    QFETCH(bool, exactDays);
    QFETCH(int, fromRow);
    QFETCH(int, fromColumn);
    QFETCH(int, key);
    QFETCH(int, toRow);
    QFETCH(int, toColumn);
    GridFixture f;
    f.model->SetDatesEditable(exactDays);
    f.grid->goToCell(fromRow, fromColumn);
    QCOMPARE(f.grid->currentIndex(), f.At(fromRow, fromColumn));
    f.Key(static_cast<Qt::Key>(key));
    QCOMPARE(f.grid->currentIndex().row(), toRow);
    QCOMPARE(f.grid->currentIndex().column(), toColumn);
    QVERIFY(f.grid->hasFocus());
  }

  void tabFollowsTheCellToCellSetting() {
    GridFixture f;
    // Off: Tab leaves the grid for the next field, Shift+Tab for the one before.
    f.Key(Qt::Key_Tab);
    QVERIFY(f.after->hasFocus());
    f.grid->setFocus();
    f.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(f.before->hasFocus());

    // On: Tab moves from cell to cell, and leaves the grid after the last flow.
    f.grid->setTabMovesCellToCell(true);
    f.grid->setFocus();
    f.grid->goToCell(0, 2);
    f.Key(Qt::Key_Tab);
    QCOMPARE(f.grid->currentIndex(), f.At(0, 5));
    f.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(f.grid->currentIndex(), f.At(0, 2));
    f.grid->goToCell(2, 2);
    f.Key(Qt::Key_Tab);
    QVERIFY(f.after->hasFocus());

    // In an open edit Tab takes the value first.
    f.grid->setFocus();
    f.TypeInCell(1, 2, QStringLiteral("75"));
    f.Key(Qt::Key_Tab);
    QCOMPARE(f.Amount(3), 75.0);
    QCOMPARE(f.grid->currentIndex(), f.At(1, 5));
  }

  void aClickOnAReadOnlyCellIsRefused() {
    GridFixture f;
    f.grid->goToCell(0, 5);
    for (const Cell cell : {Cell{1, 0}, Cell{1, 1}, Cell{2, 4}}) {
      const QRect rect = f.grid->visualRect(f.At(cell.row, cell.column));
      QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, rect.center());
      QCOMPARE(f.grid->currentIndex(), f.At(0, 5));
    }
    const QRect amount = f.grid->visualRect(f.At(1, 2));
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, {}, amount.center());
    QCOMPARE(f.grid->currentIndex(), f.At(1, 2));
  }

  void typedAmountsAreTakenUnderTheMask() {
    GridFixture f;
    QSignalSpy refused(f.grid, &TCashFlowGrid::entryRefused);
    f.TypeInCell(0, 2, QStringLiteral("-1234.5"));
    f.Key(Qt::Key_Return);
    QCOMPARE(f.Amount(1), -1234.5);
    QCOMPARE(f.grid->currentIndex(), f.At(0, 5));  // Enter moved on
    // Letters are refused keystroke by keystroke, separators are the locale's.
    f.TypeInCell(0, 5, QStringLiteral("1,5x00"));
    f.Key(Qt::Key_Return);
    QCOMPARE(f.Amount(2), 1500.0);
    QVERIFY(refused.isEmpty());
    QCOMPARE(f.grid->cellText(f.At(0, 2)), QStringLiteral("-1,234.50"));
    QCOMPARE(f.grid->cellText(f.At(0, 5)), QStringLiteral("1,500.00"));

    // Text that is no number yet keeps the editor open and the old value.
    f.TypeInCell(1, 2, QStringLiteral("-"));
    f.Key(Qt::Key_Return);
    QCOMPARE(refused.count(), 1);
    QCOMPARE(f.Amount(3), 0.0);
    QVERIFY(f.grid->isEditing());
    QCOMPARE(f.grid->currentIndex(), f.At(1, 2));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("8"));
    QVERIFY(f.grid->finishEditing());
    QCOMPARE(f.Amount(3), -8.0);
  }

  void amountsFollowTheLocale() {
    LocaleFacts german = LocaleFacts::UnitedStates();
    german.thousandsSeparator = ".";
    german.decimalSeparator = ",";
    GridFixture f(german);
    f.TypeInCell(0, 2, QStringLiteral("1.234,5"));
    f.Key(Qt::Key_Return);
    QCOMPARE(f.Amount(1), 1234.5);
    QCOMPARE(f.grid->cellText(f.At(0, 2)), QStringLiteral("1.234,50"));
  }

  void datesAreTypedWithExactDays() {
    GridFixture f;
    f.model->SetDatesEditable(true);
    QSignalSpy refused(f.grid, &TCashFlowGrid::entryRefused);
    f.TypeInCell(0, 1, QStringLiteral("02/15/2026"));
    f.Key(Qt::Key_Return);
    QCOMPARE(f.entries.Entry(1).date, DateFromDMY(15, 2, 2026));
    QCOMPARE(f.grid->cellText(f.At(0, 1)), QStringLiteral("02/15/2026"));
    // A day that does not exist is not taken.
    f.TypeInCell(0, 4, QStringLiteral("02/30/2026"));
    f.Key(Qt::Key_Return);
    QCOMPARE(refused.count(), 1);
    QCOMPARE(f.entries.Entry(2).date, DateFromDMY(1, 7, 2026));
    // Escape drops the text.
    f.Key(Qt::Key_Escape);
    QVERIFY(!f.grid->isEditing());
    QCOMPARE(f.entries.Entry(2).date, DateFromDMY(1, 7, 2026));
  }

  void aZeroCellTakesTheAmountLastLeft() {
    GridFixture f;
    f.grid->setCopyPriorIfZero(true);
    f.entries.SetAmount(4, 50);
    f.entries.SetAmount(5, 0.005);  // below a cent counts as zero
    f.model->Refresh();
    f.TypeInCell(0, 2, QStringLiteral("100"));
    f.Key(Qt::Key_Return);  // into entry 2
    QCOMPARE(f.Amount(2), 100.0);
    f.Key(Qt::Key_Down);  // entry 2 left with 100, into entry 4, which is not zero
    QCOMPARE(f.Amount(4), 50.0);
    f.Key(Qt::Key_Left);  // entry 4 left with 50, into entry 3
    QCOMPARE(f.Amount(3), 50.0);
    f.Key(Qt::Key_Down);  // into entry 5
    QCOMPARE(f.Amount(5), 50.0);

    // Off, entering a zero cell changes nothing.
    GridFixture off;
    off.TypeInCell(0, 2, QStringLiteral("100"));
    off.Key(Qt::Key_Return);
    QCOMPARE(off.Amount(2), 0.0);
  }

  // Measurements at the largest Total Periods (32,767 flows, 16,384 rows).
  // QBENCHMARK reports the time in the output and asserts nothing.
  void benchmarkReadingEveryCellOfTheLargestGrid() {
    GridFixture f(LocaleFacts::UnitedStates(), kMaxTotalPeriods);
    const int rows = f.model->rowCount();
    QCOMPARE(rows, 16384);
    qsizetype characters = 0;
    QBENCHMARK {
      for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < TCashFlowTableModel::kColumns; ++column) {
          const QModelIndex cell = f.At(row, column);
          characters += f.grid->cellText(cell).size() + (f.model->flags(cell) & Qt::ItemIsEditable ? 1 : 0);
        }
      }
    }
    QVERIFY(characters > 0);
  }

  void benchmarkRebuildingTheLargestGrid() {
    GridFixture f(LocaleFacts::UnitedStates(), kMaxTotalPeriods);
    QBENCHMARK {
      f.entries.Build(DateFromDMY(15, 3, 2026), kQuarterly, kMaxTotalPeriods, 0,
                      TCashFlowEntries::Amounts::Keep);
      f.model->Refresh();
    }
    QCOMPARE(f.model->rowCount(), 16384);
  }

  void benchmarkScrollingPaintingAndEditingTheLargestGrid() {
    GridFixture f(LocaleFacts::UnitedStates(), kMaxTotalPeriods);
    QBENCHMARK {
      for (int step = 0; step <= 32; ++step) {
        f.grid->scrollTo(f.At(std::min(16383, step * 512), 2));
        f.grid->viewport()->grab();
      }
      f.Key(Qt::Key_End);
      f.TypeInCell(16383, 2, QStringLiteral("42"));
      f.Key(Qt::Key_Return);
    }
    QCOMPARE(f.Amount(kMaxTotalPeriods), 42.0);
  }
};

QTEST_MAIN(CashFlowGridTest)
#include "cash_flow_grid_test.moc"
