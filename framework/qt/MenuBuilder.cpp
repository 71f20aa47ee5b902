#include "framework/qt/MenuBuilder.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <functional>

#include "framework/Application.h"
#include "framework/Dispatch.h"
#include "framework/MenuItem.h"

namespace {

enum class EditCommand { kNone, kUndo, kCut, kCopy, kPaste, kClear, kSelectAll };

EditCommand EditCommandOf(const std::string& name) {
  if (name == "EditUndo") return EditCommand::kUndo;
  if (name == "EditCut") return EditCommand::kCut;
  if (name == "EditCopy") return EditCommand::kCopy;
  if (name == "EditPaste") return EditCommand::kPaste;
  if (name == "EditClear") return EditCommand::kClear;
  if (name == "EditSelectAll") return EditCommand::kSelectAll;
  return EditCommand::kNone;
}

// Whether the focused widget can carry out an edit command, and carrying it out.
bool RunEdit(EditCommand command, bool execute) {
  QWidget* focus = QApplication::focusWidget();
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    bool editable = !line->isReadOnly();
    switch (command) {
      case EditCommand::kUndo:
        if (execute) line->undo();
        return editable && line->isUndoAvailable();
      case EditCommand::kCut:
        if (execute) line->cut();
        return editable && line->hasSelectedText();
      case EditCommand::kCopy:
        if (execute) line->copy();
        return line->hasSelectedText();
      case EditCommand::kPaste:
        if (execute) line->paste();
        return editable;
      case EditCommand::kClear:
        if (execute) line->del();
        return editable && line->hasSelectedText();
      case EditCommand::kSelectAll:
        if (execute) line->selectAll();
        return !line->text().isEmpty();
      case EditCommand::kNone:
        return false;
    }
  }
  if (auto* text = qobject_cast<QTextEdit*>(focus)) {
    bool editable = !text->isReadOnly();
    bool selection = text->textCursor().hasSelection();
    switch (command) {
      case EditCommand::kUndo:
        if (execute) text->undo();
        return editable && text->document()->isUndoAvailable();
      case EditCommand::kCut:
        if (execute) text->cut();
        return editable && selection;
      case EditCommand::kCopy:
        if (execute) text->copy();
        return selection;
      case EditCommand::kPaste:
        if (execute) text->paste();
        return editable;
      case EditCommand::kClear:
        if (execute) text->textCursor().removeSelectedText();
        return editable && selection;
      case EditCommand::kSelectAll:
        if (execute) text->selectAll();
        return !text->document()->isEmpty();
      case EditCommand::kNone:
        return false;
    }
  }
  return false;
}

QKeySequence ShortcutOf(const std::string& text) {
  QString shortcut = QString::fromStdString(text);
  shortcut.replace("Cmd+", "Ctrl+", Qt::CaseInsensitive);
  return QKeySequence(shortcut);
}

void UpdateEnabled(QAction* action, const std::shared_ptr<MenuItem>& item) {
  if (!item->AutoEnable()) return;
  EditCommand command = EditCommandOf(item->Name());
  if (command != EditCommand::kNone) action->setEnabled(RunEdit(command, false));
}

QAction* MakeAction(const std::shared_ptr<MenuItem>& item, QMainWindow& frame) {
  auto* action = new QAction(QString::fromStdString(item->Text()), &frame);
  if (!item->KeyboardShortcut().empty()) action->setShortcut(ShortcutOf(item->KeyboardShortcut()));
  std::weak_ptr<MenuItem> weak = item;
  QObject::connect(action, &QAction::triggered, [weak] {
    auto chosen = weak.lock();
    if (!chosen) return;
    EditCommand command = EditCommandOf(chosen->Name());
    RuntimeDispatch([chosen, command] {
      if (chosen->Action()) return;
      if (command != EditCommand::kNone) {
        RunEdit(command, true);
      } else {
        chosen->DefaultAction();
      }
    });
  });
  UpdateEnabled(action, item);
  // Shortcuts must follow the focus even while no menu is open.
  QObject::connect(qApp, &QApplication::focusChanged, action, [action, weak] {
    if (auto current = weak.lock()) UpdateEnabled(action, current);
  });
  return action;
}

void AddItems(QMenu* menu, const std::shared_ptr<MenuItem>& parent, QMainWindow& frame) {
  for (int32_t i = 0; i < parent->Count(); ++i) {
    auto item = parent->Item(i);
    if (!item) continue;
    if (item->IsSeparator()) {
      menu->addSeparator();
    } else if (item->Count() > 0) {
      AddItems(menu->addMenu(QString::fromStdString(item->Text())), item, frame);
    } else {
      QAction* action = MakeAction(item, frame);
      menu->addAction(action);
      std::weak_ptr<MenuItem> weakItem = item;
      QObject::connect(menu, &QMenu::aboutToShow, action, [action, weakItem] {
        if (auto current = weakItem.lock()) UpdateEnabled(action, current);
      });
    }
  }
  std::weak_ptr<MenuItem> weak = parent;
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, weak] {
    auto current = weak.lock();
    if (!current) return;
    RuntimeDispatch([current] {
      if (auto app = RuntimeApplication()) app->EnableMenuItems();
      for (int32_t i = 0; i < current->Count(); ++i) {
        if (auto child = current->Item(i)) child->EnableMenu();
      }
    });
  });
}

}  // namespace

void BuildQtMenuBar(QMainWindow& frame, const std::shared_ptr<MenuBar>& bar) {
  QMenuBar* qtBar = frame.menuBar();
  qtBar->clear();
  if (!bar) return;
  for (int32_t i = 0; i < bar->Count(); ++i) {
    auto top = bar->Item(i);
    if (!top) continue;
    if (top->IsSeparator()) {
      qtBar->addSeparator();
    } else {
      QMenu* menu = qtBar->addMenu(QString::fromStdString(top->Text()));
      AddItems(menu, top, frame);
    }
  }
}
