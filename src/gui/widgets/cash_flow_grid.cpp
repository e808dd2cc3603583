#include "gui/widgets/cash_flow_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <cmath>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/masks.h"
#include "gui/widgets/mask_validators.h"
#include "gui/widgets/masked_number_edit.h"

namespace quandrel {
namespace {

constexpr std::string_view kDesignedAmountMask = "###,###,###,###.##";
constexpr const char* kEditorKindProperty = "gridCellKind";

GridCellKind KindOfEditor(const QWidget* editor) {
  return static_cast<GridCellKind>(editor->property(kEditorKindProperty).toInt());
}

}  // namespace

// ---- Delegate ----

TCashFlowGridDelegate::TCashFlowGridDelegate(TCashFlowGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* TCashFlowGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                             const QModelIndex& index) const {
  const GridCellKind kind = m_grid->KindOf(index);
  QLineEdit* editor = nullptr;
  if (kind == GridCellKind::Amount) {
    editor = new TMaskedNumberEdit(m_grid->m_amountMask.text, m_grid->m_facts, parent);
  } else if (kind == GridCellKind::Date) {
    editor = new QLineEdit(parent);
    editor->setValidator(new TDateTextValidator(m_grid->m_datePicture, kTwoDigitYearWindowStart, editor));
    editor->setAlignment(Qt::AlignCenter);
  } else {
    return nullptr;
  }
  editor->setObjectName(QStringLiteral("gridEditor"));
  editor->setFrame(false);
  editor->setProperty(kEditorKindProperty, static_cast<int>(kind));
  m_editor = editor;
  return editor;
}

void TCashFlowGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QVariant value = index.data(grid_role::Value);
  if (auto* amount = qobject_cast<TMaskedNumberEdit*>(editor)) {
    amount->setValue(value.toDouble());
    amount->selectAll();
  } else if (auto* date = qobject_cast<QLineEdit*>(editor)) {
    date->setText(QString::fromStdString(DateText(m_grid->m_datePicture, value.toInt())));
    date->selectAll();
  }
}

void TCashFlowGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                         const QModelIndex& index) const {
  if (KindOfEditor(editor) == GridCellKind::Amount) {
    const std::optional<double> value = static_cast<TMaskedNumberEdit*>(editor)->value();
    if (!value || !std::isfinite(*value)) {
      emit m_grid->entryRefused(QStringLiteral("Please enter a valid amount. The cell keeps its value."));
      return;
    }
    model->setData(index, *value, grid_role::Value);
    return;
  }
  const QString text = static_cast<QLineEdit*>(editor)->text();
  const std::optional<DayNumber> day =
      ParseDateText(text.toStdString(), m_grid->m_datePicture, kTwoDigitYearWindowStart);
  if (!day) {
    emit m_grid->entryRefused(
        QStringLiteral("Please enter a valid date (from %1 to %2). The cell keeps its date.")
            .arg(QString::fromStdString(DateText(m_grid->m_datePicture, kFirstDayNumber)),
                 QString::fromStdString(DateText(m_grid->m_datePicture, kLastDayNumber))));
    return;
  }
  model->setData(index, *day, grid_role::Value);
}

void TCashFlowGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                 const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

void TCashFlowGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  const GridCellKind kind = m_grid->KindOf(index);
  option->text = m_grid->cellText(index);
  switch (kind) {
    case GridCellKind::Empty:
      break;
    case GridCellKind::Number:
    case GridCellKind::Amount:
      option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
      break;
    case GridCellKind::Date:
      option->displayAlignment = Qt::AlignCenter;
      break;
  }
  option->features |= QStyleOptionViewItem::HasDisplay;
  option->backgroundBrush = m_grid->IsEditableCell(index) ? option->palette.base() : option->palette.button();
}

bool TCashFlowGridDelegate::eventFilter(QObject* watched, QEvent* event) {
  auto* editor = qobject_cast<QLineEdit*>(watched);
  if (editor == nullptr || event->type() != QEvent::KeyPress) {
    return QStyledItemDelegate::eventFilter(watched, event);
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  QAbstractItemView::CursorAction action{};
  bool leaveForward = false;
  bool leave = false;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      action = QAbstractItemView::MoveRight;
      break;
    case Qt::Key_Up:
      action = QAbstractItemView::MoveUp;
      break;
    case Qt::Key_Down:
      action = QAbstractItemView::MoveDown;
      break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      const bool forward = key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier) == 0;
      action = forward ? QAbstractItemView::MoveRight : QAbstractItemView::MoveLeft;
      const QModelIndex here = m_grid->currentIndex();
      leave = !m_grid->m_tabCellToCell || m_grid->cellAfterMove(here, action) == here;
      leaveForward = forward;
      break;
    }
    default:
      return QStyledItemDelegate::eventFilter(watched, event);
  }
  // The typed value first; text that is no value keeps the editor open.
  if (!m_grid->finishEditing()) {
    return true;
  }
  if (leave) {
    m_grid->leaveGrid(leaveForward);
  } else {
    m_grid->MoveTo(m_grid->cellAfterMove(m_grid->currentIndex(), action));
  }
  return true;
}

// ---- Grid ----

TCashFlowGrid::TCashFlowGrid(const LocaleFacts& facts, QWidget* parent)
    : QTableView(parent),
      m_facts(facts),
      m_amountMask(ParseNumberMask(kDesignedAmountMask)),
      m_delegate(new TCashFlowGridDelegate(this)) {
  setItemDelegate(m_delegate);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  setTabKeyNavigation(false);  // Tab is handled by focusNextPrevChild
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setSortingEnabled(false);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  verticalHeader()->hide();
  // Fixed row heights: the view never measures rows, whatever their number.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
}

void TCashFlowGrid::setModel(QAbstractItemModel* model) {
  if (QAbstractItemModel* old = this->model()) {
    disconnect(old, nullptr, this, nullptr);
  }
  QTableView::setModel(model);
  ForgetLeftCell();
  if (model != nullptr) {
    connect(model, &QAbstractItemModel::modelReset, this, &TCashFlowGrid::ForgetLeftCell);
    connect(model, &QAbstractItemModel::layoutChanged, this, &TCashFlowGrid::ForgetLeftCell);
  }
}

void TCashFlowGrid::setAmountMask(std::string_view mask) {
  m_amountMask = ParseNumberMask(mask);
  viewport()->update();
}

void TCashFlowGrid::setDesignedColumnWidths(std::span<const int> widths) {
  const QFontMetrics metrics = fontMetrics();
  const QString amountSample =
      QString::fromStdString(FormatMaskedNumber(-999999999999.99, m_amountMask, m_facts));
  const QString dateSample = QString::fromStdString(DateText(m_datePicture, DateFromDMY(28, 12, 2088)));
  for (int column = 0; column < static_cast<int>(widths.size()); ++column) {
    int width = widths[static_cast<std::size_t>(column)];
    if (model() != nullptr) {
      const QString heading = model()->headerData(column, Qt::Horizontal).toString();
      width = std::max(width, metrics.horizontalAdvance(heading) + 16);
      if (model()->rowCount() > 0) {
        switch (KindOf(model()->index(0, column))) {
          case GridCellKind::Amount:
            width = std::max(width, metrics.horizontalAdvance(amountSample) + 12);
            break;
          case GridCellKind::Date:
            width = std::max(width, metrics.horizontalAdvance(dateSample) + 12);
            break;
          case GridCellKind::Number:
            width = std::max(width, metrics.horizontalAdvance(QStringLiteral("00000")) + 12);
            break;
          case GridCellKind::Empty:
            break;
        }
      }
    }
    setColumnWidth(column, width);
  }
}

QString TCashFlowGrid::cellText(const QModelIndex& index) const {
  const QVariant value = index.data(grid_role::Value);
  switch (KindOf(index)) {
    case GridCellKind::Empty:
      return {};
    case GridCellKind::Number:
      return QString::number(value.toLongLong());
    case GridCellKind::Date:
      return QString::fromStdString(DateText(m_datePicture, value.toInt()));
    case GridCellKind::Amount:
      return QString::fromStdString(FormatMaskedNumber(value.toDouble(), m_amountMask, m_facts));
  }
  return {};
}

GridCellKind TCashFlowGrid::KindOf(const QModelIndex& index) const {
  if (!index.isValid()) {
    return GridCellKind::Empty;
  }
  return static_cast<GridCellKind>(index.data(grid_role::Kind).toInt());
}

bool TCashFlowGrid::IsEditableCell(const QModelIndex& index) const {
  return index.isValid() && (index.flags() & Qt::ItemIsEditable) != 0;
}

QModelIndex TCashFlowGrid::StepInReadingOrder(const QModelIndex& from, int step) const {
  const QAbstractItemModel* m = model();
  const int columns = m->columnCount();
  const int rows = m->rowCount();
  int row = from.row();
  int column = from.column();
  while (true) {
    column += step;
    if (column >= columns) {
      column = 0;
      ++row;
    } else if (column < 0) {
      column = columns - 1;
      --row;
    }
    if (row < 0 || row >= rows) {
      return from;  // no further editable cell that way
    }
    const QModelIndex candidate = m->index(row, column);
    if (IsEditableCell(candidate)) {
      return candidate;
    }
  }
}

QModelIndex TCashFlowGrid::EditableInColumn(int row, int column, int towardRow) const {
  // The cell of `column` nearest `row` on the way back to `towardRow`.
  const int step = towardRow < row ? -1 : 1;
  for (int r = row; r != towardRow; r += step) {
    const QModelIndex candidate = model()->index(r, column);
    if (IsEditableCell(candidate)) {
      return candidate;
    }
  }
  return {};
}

QModelIndex TCashFlowGrid::cellAfterMove(const QModelIndex& from, CursorAction action) const {
  const QAbstractItemModel* m = model();
  if (m == nullptr || m->rowCount() == 0) {
    return {};
  }
  if (!from.isValid()) {
    const QModelIndex first = m->index(0, 0);
    return IsEditableCell(first) ? first : StepInReadingOrder(first, 1);
  }
  const int rows = m->rowCount();
  const int pageRows = std::max(1, viewport()->height() / std::max(1, rowHeight(0)) - 1);
  int targetRow = from.row();
  switch (action) {
    case MoveRight:
    case MoveNext:
      return StepInReadingOrder(from, 1);
    case MoveLeft:
    case MovePrevious:
      return StepInReadingOrder(from, -1);
    case MoveUp:
      targetRow = from.row() - 1;
      break;
    case MoveDown:
      targetRow = from.row() + 1;
      break;
    case MovePageUp:
      targetRow = std::max(0, from.row() - pageRows);
      break;
    case MovePageDown:
      targetRow = std::min(rows - 1, from.row() + pageRows);
      break;
    case MoveHome:
      targetRow = 0;
      break;
    case MoveEnd:
      targetRow = rows - 1;
      break;
  }
  if (targetRow < 0 || targetRow >= rows || targetRow == from.row()) {
    return from;
  }
  if (action == MoveHome || action == MoveEnd) {
    // The same column in the first or last row, else that row's first or
    // last editable cell (the last row may hold its first entry only).
    const QModelIndex same = m->index(targetRow, from.column());
    if (IsEditableCell(same)) {
      return same;
    }
    const QModelIndex edge = action == MoveHome ? m->index(0, 0) : m->index(rows - 1, m->columnCount() - 1);
    const QModelIndex found =
        IsEditableCell(edge) ? edge : StepInReadingOrder(edge, action == MoveHome ? 1 : -1);
    return found.isValid() && found.row() == targetRow ? found : from;
  }
  // Up and down keep the column; a page move that lands on an empty cell
  // stops at the nearest editable one on the way.
  const QModelIndex found = EditableInColumn(targetRow, from.column(), from.row());
  return found.isValid() ? found : from;
}

QModelIndex TCashFlowGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
  return cellAfterMove(currentIndex(), action);
}

void TCashFlowGrid::MoveTo(const QModelIndex& index) {
  if (index.isValid() && index != currentIndex()) {
    setCurrentIndex(index);
  }
}

void TCashFlowGrid::goToCell(int row, int column) {
  if (model() == nullptr || row < 0 || row >= model()->rowCount()) {
    return;
  }
  for (int c = std::max(0, column); c < model()->columnCount(); ++c) {
    const QModelIndex candidate = model()->index(row, c);
    if (IsEditableCell(candidate)) {
      finishEditing();
      m_noCopyOnce = true;
      setCurrentIndex(candidate);
      m_noCopyOnce = false;
      scrollTo(candidate);
      return;
    }
  }
}

void TCashFlowGrid::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter moves like the Right key (and never presses the window's
      // default button from inside the grid).
      if (state() != EditingState) {
        MoveTo(cellAfterMove(currentIndex(), MoveRight));
      }
      event->accept();
      return;
    default:
      QTableView::keyPressEvent(event);
  }
}

void TCashFlowGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && !IsEditableCell(at)) {
    // The cursor never rests on a read-only cell; a click there only ends
    // an open edit.
    finishEditing();
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void TCashFlowGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && !IsEditableCell(at)) {
    event->accept();
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
}

bool TCashFlowGrid::focusNextPrevChild(bool next) {
  if (m_tabCellToCell && hasFocus() && model() != nullptr) {
    const QModelIndex here = currentIndex();
    const QModelIndex target = cellAfterMove(here, next ? MoveRight : MoveLeft);
    if (target.isValid() && target != here) {
      MoveTo(target);
      return true;
    }
  }
  return QTableView::focusNextPrevChild(next);  // out of the grid
}

void TCashFlowGrid::leaveGrid(bool forward) {
  finishEditing();
  setFocus(Qt::OtherFocusReason);
  QAbstractScrollArea::focusNextPrevChild(forward);
}

bool TCashFlowGrid::finishEditing() {
  if (state() != EditingState) {
    return true;
  }
  QLineEdit* lineEdit = m_delegate->m_editor;
  if (lineEdit == nullptr || !lineEdit->isVisible()) {
    return true;
  }
  bool taken = true;
  const auto refused = connect(this, &TCashFlowGrid::entryRefused, this, [&taken] { taken = false; });
  emit m_delegate->commitData(lineEdit);
  disconnect(refused);
  if (!taken) {
    return false;
  }
  emit m_delegate->closeEditor(lineEdit, QAbstractItemDelegate::NoHint);
  return true;
}

void TCashFlowGrid::cancelEditing() {
  QLineEdit* lineEdit = m_delegate->m_editor;
  if (state() == EditingState && lineEdit != nullptr && lineEdit->isVisible()) {
    emit m_delegate->closeEditor(lineEdit, QAbstractItemDelegate::RevertModelCache);
  }
}

void TCashFlowGrid::ForgetLeftCell() {
  m_lastLeftAmount = QPersistentModelIndex();
}

void TCashFlowGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);  // takes an open edit of `previous` first
  if (KindOf(previous) == GridCellKind::Amount) {
    m_lastLeftAmount = previous;
  }
  if (!m_copyPriorIfZero || m_noCopyOnce || KindOf(current) != GridCellKind::Amount ||
      !m_lastLeftAmount.isValid() || QModelIndex(m_lastLeftAmount) == current) {
    return;
  }
  const double here = current.data(grid_role::Value).toDouble();
  if (std::fabs(here) < 0.01) {
    const double prior = m_lastLeftAmount.data(grid_role::Value).toDouble();
    if (prior != here) {
      model()->setData(current, prior, grid_role::Value);
    }
  }
}

}  // namespace quandrel
