// Builds a window's Qt menus from its MenuItem tree. Choosing an item runs its Action
// through the dispatch point; an item that Action does not handle does what the framework
// does for it by itself: the quit item quits, the standard Edit items act on the focused
// widget and, with AutoEnable, are enabled only where that widget can do them.
#pragma once

#include <QMainWindow>
#include <memory>

class MenuBar;

// Replaces the frame's menus with those of the menu bar; none for a null bar.
void BuildQtMenuBar(QMainWindow& frame, const std::shared_ptr<MenuBar>& bar);
