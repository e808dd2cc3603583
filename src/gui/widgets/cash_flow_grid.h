#pragma once

// The entry grid of the cash-flow and item calculators: a table view over a
// model that says, cell by cell, what the cell holds (GridRole::Kind) and
// whether it may be edited (Qt::ItemIsEditable).
//
// - Only editable cells take the cursor. The arrow keys skip read-only cells
//   in their direction of travel; moving left from the first editable cell
//   of a row goes to the last one of the row above (never above the first
//   row), moving right from the last goes to the first of the row below
//   (never below the last row). Up and Down stay in their column. Home and
//   End go to the first and the last row; a click on a read-only cell is
//   refused.
// - Enter (and Return) moves like the Right key, while editing too, after the
//   typed value is taken.
// - Tab moves from cell to cell (Shift+Tab back) when tabMovesCellToCell()
//   is on; otherwise, and from the last cell, it leaves the grid for the
//   next field of the window.
// - With copyPriorIfZero() on, an amount cell being entered whose value is
//   below 0.01 in magnitude takes the value of the amount cell last left.
// - Typing starts an edit in the cell. Amounts are typed and shown under a
//   number mask with the locale's separators and refused keystroke by
//   keystroke as in TMaskedNumberEdit; dates are typed in the date picture.
//   A value that is still not a number (or not a date) when the edit ends is
//   not taken: the cell keeps its value and entryRefused() says why.
// - Read-only cells are drawn in the button-face colour, editable ones in the
//   window colour.
//
// No widget is made per cell: the view paints the model's texts and opens
// one editor at a time, so grids of tens of thousands of rows stay quick.

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <span>
#include <string>
#include <string_view>

#include "core/foundation/locale_facts.h"
#include "core/foundation/mask_format.h"

namespace quandrel {

// What a grid cell holds.
enum class GridCellKind : int { Empty = 0, Number, Date, Amount };

// The roles the grid reads and writes besides the display text.
namespace grid_role {
// GridCellKind, as an int.
inline constexpr int Kind = Qt::UserRole + 1;
// The cell's value: a double for amounts, a day number (int) for dates.
inline constexpr int Value = Qt::UserRole + 2;
}  // namespace grid_role

class TCashFlowGrid;

// Opens the masked amount and date editors of a grid and reads them back.
class TCashFlowGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit TCashFlowGridDelegate(TCashFlowGrid* grid);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TCashFlowGrid;

  TCashFlowGrid* m_grid;
  mutable QPointer<QLineEdit> m_editor;  // the editor open, if any
};

class TCashFlowGrid : public QTableView {
  Q_OBJECT

 public:
  explicit TCashFlowGrid(const LocaleFacts& facts, QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model) override;

  // Tab from cell to cell (on), or out of the grid (off).
  void setTabMovesCellToCell(bool on) { m_tabCellToCell = on; }
  bool tabMovesCellToCell() const { return m_tabCellToCell; }

  // "If cell is 0, copy value from prior cell?"
  void setCopyPriorIfZero(bool on) { m_copyPriorIfZero = on; }
  bool copyPriorIfZero() const { return m_copyPriorIfZero; }

  // The mask amounts are typed under (the model shows them under the same
  // mask), the date picture and the locale.
  void setAmountMask(std::string_view mask);
  const NumberMask& amountMask() const { return m_amountMask; }
  void setDatePicture(std::string_view picture) { m_datePicture = std::string(picture); }
  const std::string& datePicture() const { return m_datePicture; }
  void setLocaleFacts(const LocaleFacts& facts) { m_facts = facts; }
  const LocaleFacts& localeFacts() const { return m_facts; }

  // The text a cell shows: amounts under the mask, dates in the picture.
  QString cellText(const QModelIndex& index) const;

  // Column widths in pixels as designed; a column is widened where the
  // font needs more room for its widest text.
  void setDesignedColumnWidths(std::span<const int> widths);

  // Takes the value of an open edit into the model and closes the editor
  // (Calc, Save and Print call it first). False when the typed text could
  // not be taken.
  bool finishEditing();
  // Closes an open edit without taking its text.
  void cancelEditing();
  bool isEditing() const { return state() == EditingState; }

  // Puts the cursor on `row`, in `column` or the first editable cell after
  // it in that row (without the copy-from-prior rule); nothing when the row
  // has no editable cell there.
  void goToCell(int row, int column);

  // The editable cell reached from `from` by one move (the rules above);
  // `from` itself when the move goes nowhere.
  QModelIndex cellAfterMove(const QModelIndex& from, CursorAction action) const;

  // Leaves the grid for the next (or previous) field of the window.
  void leaveGrid(bool forward);

 signals:
  // An edit ended with text that is not a value; the cell kept its value.
  void entryRefused(const QString& message);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  friend class TCashFlowGridDelegate;

  bool IsEditableCell(const QModelIndex& index) const;
  GridCellKind KindOf(const QModelIndex& index) const;
  QModelIndex StepInReadingOrder(const QModelIndex& from, int step) const;
  QModelIndex EditableInColumn(int row, int column, int towardRow) const;
  void MoveTo(const QModelIndex& index);
  void ForgetLeftCell();

  LocaleFacts m_facts;
  NumberMask m_amountMask;
  std::string m_datePicture = "mm/dd/yyyy";
  bool m_tabCellToCell = false;
  bool m_copyPriorIfZero = false;
  bool m_noCopyOnce = false;
  QPersistentModelIndex m_lastLeftAmount;
  TCashFlowGridDelegate* m_delegate;
};

}  // namespace quandrel
