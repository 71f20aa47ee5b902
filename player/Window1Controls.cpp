// The window's controls: the control step, which creates the eleven controls, gives them
// their properties and connects their events, and the accessors that look them up.
#include <string>

#include "framework/BevelButton.h"
#include "framework/Control.h"
#include "framework/Exceptions.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/Timer.h"
#include "player/Window1.h"
#include "player/Window1AlertButton.h"
#include "player/Window1Poller.h"

namespace {

// A visible control's place, the edges it keeps locked (none unless named) and its tab position.
struct Place {
  int32_t left, top, width, height;
  bool lockLeft = false, lockTop = false, lockRight = false, lockBottom = false;
  int32_t tabIndex;
};

// The keys that every visible control outside a control array starts with: its name, no
// index, its place and edge locks, its tab position.
PropertyList PlaceProperties(const std::string& name, const Place& p) {
  return {
      {"Name", name},
      {"Index", Control::kNoIndex},
      {"Left", p.left},
      {"Top", p.top},
      {"Width", p.width},
      {"Height", p.height},
      {"LockLeft", p.lockLeft},
      {"LockTop", p.lockTop},
      {"LockRight", p.lockRight},
      {"LockBottom", p.lockBottom},
      {"TabPanelIndex", 0},
      {"TabIndex", p.tabIndex},
  };
}

// The rest of a list's or a label's keys follow in their own order.
PropertyList Concat(PropertyList first, const PropertyList& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

PropertyList ListboxProperties(const std::string& name, const Place& p) {
  const std::string empty;
  return Concat(PlaceProperties(name, p), {
                                              {"TabStop", true},
                                              {"Visible", true},
                                              {"HelpTag", empty},
                                              {"AutoDeactivate", true},
                                              {"Enabled", true},
                                              {"Border", true},
                                              {"ColumnCount", 1},
                                              {"ColumnWidths", empty},
                                              {"HasHeading", false},
                                              {"UseFocusRing", true},
                                              {"InitialValue", empty},
                                              {"HeadingIndex", -1},
                                              {"ScrollbarHorizontal", false},
                                              {"ScrollBarVertical", true},
                                              {"GridLinesHorizontal", 0},
                                              {"GridLinesVertical", 0},
                                              {"DefaultRowHeight", -1},
                                              {"_ScrollWidth", -1},
                                              {"TextFont", std::string("System")},
                                              {"Bold", false},
                                              {"Italic", false},
                                              {"Underline", false},
                                              {"Hierarchical", false},
                                              {"EnableDrag", false},
                                              {"EnableDragReorder", false},
                                              {"RequiresSelection", false},
                                              {"SelectionType", Listbox::kSelectionSingle},
                                              {"ColumnsResizable", false},
                                              {"AutoHideScrollbars", true},
                                              {"DataSource", empty},
                                              {"DataField", empty},
                                              {"InitialParent", empty},
                                          });
}

PropertyList LabelProperties(const std::string& name, const Place& p, const std::string& text) {
  const std::string empty;
  return Concat(PlaceProperties(name, p), {
                                              {"Text", text},
                                              {"TextAlign", Label::kAlignDefault},
                                              {"TextColor", Color::RGB(0, 0, 0)},
                                              {"Multiline", false},
                                              {"Enabled", true},
                                              {"Visible", true},
                                              {"Selectable", false},
                                              {"Transparent", false},
                                              {"HelpTag", empty},
                                              {"AutoDeactivate", true},
                                              {"TextFont", std::string("System")},
                                              {"Bold", false},
                                              {"Italic", false},
                                              {"Underline", false},
                                              {"DataSource", empty},
                                              {"DataField", empty},
                                              {"InitialParent", empty},
                                          });
}

}  // namespace

void Window1::CreateControls0() {
  auto self = SharedAs<Window1>();

  // Each control: created for the window, constructed, registered under its name; the step
  // keeps no reference of its own and looks the control up again for every later use.
  auto addListbox = [this](const std::string& name) {
    auto list = New<Listbox>();
    list->Constructor();
    AddControl(name, list);
  };
  auto addLabel = [this](const std::string& name, const Place& place, const std::string& text) {
    auto label = New<Label>();
    label->Constructor();
    AddControl(name, label);
    NilCheck(Cast<Label>(ControlByName(name)))->TextUnit(RectControl::kTextUnitDefault);
    SetProperties(*NilCheck(Cast<Label>(ControlByName(name))), LabelProperties(name, place, text));
  };
  auto addAlertButton = [this, &self](int32_t index, int32_t left, int32_t tabIndex,
                                      const std::string& caption) {
    auto button = New<Window1AlertButton>();
    button->Constructor(index);
    AddControl("AlertButton", button);
    button = nullptr;
    NilCheck(Cast<BevelButton>(ControlByNameIndex("AlertButton", index)))
        ->TextUnit(RectControl::kTextUnitDefault);
    SetProperties(*NilCheck(Cast<BevelButton>(ControlByNameIndex("AlertButton", index))),
                  AlertButtonProperties(index, left, tabIndex, caption));
    NilCheck(Cast<BevelButton>(ControlByNameIndex("AlertButton", index)))
        ->Action.Connect(self, &Window1::AlertButton_Action);
    NilCheck(Cast<BevelButton>(ControlByNameIndex("AlertButton", index)))
        ->Open.Connect(self, &Window1::AlertButton_Open);
  };
  auto list = [this](const std::string& name) {
    return NilCheck(Cast<Listbox>(ControlByName(name)));
  };

  addListbox("MusicList");
  list("MusicList")->TextUnit(RectControl::kTextUnitDefault);
  SetProperties(*list("MusicList"), ListboxProperties("MusicList", {.left = 20,
                                                                    .top = 46,
                                                                    .width = 370,
                                                                    .height = 374,
                                                                    .lockLeft = true,
                                                                    .lockTop = true,
                                                                    .lockRight = true,
                                                                    .lockBottom = true,
                                                                    .tabIndex = 0}));
  list("MusicList")->CellBackgroundPaint.Connect(self, &Window1::MusicList_CellBackgroundPaint);
  list("MusicList")->Open.Connect(self, &Window1::MusicList_Open);

  addLabel("Label1",
           {.left = 20,
            .top = 14,
            .width = 100,
            .height = 20,
            .lockLeft = true,
            .lockTop = true,
            .tabIndex = 1},
           "Music Playlist");
  addLabel("Label2",
           {.left = 410,
            .top = 14,
            .width = 100,
            .height = 20,
            .lockTop = true,
            .lockRight = true,
            .tabIndex = 2},
           "PSA Playlist");

  addListbox("PSAList");
  list("PSAList")->TextUnit(RectControl::kTextUnitDefault);
  SetProperties(*list("PSAList"), ListboxProperties("PSAList", {.left = 410,
                                                                .top = 46,
                                                                .width = 370,
                                                                .height = 214,
                                                                .lockTop = true,
                                                                .lockRight = true,
                                                                .lockBottom = true,
                                                                .tabIndex = 3}));
  list("PSAList")->CellBackgroundPaint.Connect(self, &Window1::PSAList_CellBackgroundPaint);
  list("PSAList")->Open.Connect(self, &Window1::PSAList_Open);

  addLabel("Label3",
           {.left = 410,
            .top = 272,
            .width = 100,
            .height = 20,
            .lockRight = true,
            .lockBottom = true,
            .tabIndex = 4},
           "Alert Mode");

  addAlertButton(0, 410, 5, "Amber Alert");
  addAlertButton(2, 664, 6, "--");
  addAlertButton(1, 538, 7, "Gate Closed");

  addLabel("Label4",
           {.left = 20,
            .top = 440,
            .width = 100,
            .height = 20,
            .lockLeft = true,
            .lockBottom = true,
            .tabIndex = 8},
           "Now Playing:");
  addLabel("PlayingLabel",
           {.left = 132,
            .top = 440,
            .width = 648,
            .height = 20,
            .lockLeft = true,
            .lockRight = true,
            .lockBottom = true,
            .tabIndex = 9},
           "...");

  {
    auto poller = New<Window1Poller>();
    poller->Constructor();
    AddControl("Poller", poller);
  }
  SetProperties(*NilCheck(Cast<Timer>(ControlByName("Poller"))),
                {{"Mode", Timer::kModeMultiple}, {"Period", 10}});
  NilCheck(Cast<Timer>(ControlByName("Poller")))->Action.Connect(self, &Window1::Poller_Action);
}

std::shared_ptr<Listbox> Window1::MusicList() {
  return Cast<Listbox>(ControlByName("MusicList"));
}
std::shared_ptr<Label> Window1::Label1() {
  return Cast<Label>(ControlByName("Label1"));
}
std::shared_ptr<Label> Window1::Label2() {
  return Cast<Label>(ControlByName("Label2"));
}
std::shared_ptr<Listbox> Window1::PSAList() {
  return Cast<Listbox>(ControlByName("PSAList"));
}
std::shared_ptr<Label> Window1::Label3() {
  return Cast<Label>(ControlByName("Label3"));
}
std::shared_ptr<BevelButton> Window1::AlertButton(int32_t index) {
  return Cast<BevelButton>(ControlByNameIndex("AlertButton", index));
}
std::shared_ptr<Label> Window1::Label4() {
  return Cast<Label>(ControlByName("Label4"));
}
std::shared_ptr<Label> Window1::PlayingLabel() {
  return Cast<Label>(ControlByName("PlayingLabel"));
}
std::shared_ptr<Timer> Window1::Poller() {
  return Cast<Timer>(ControlByName("Poller"));
}
