// The main and only window. It holds the playback state that the rotation and the alert
// mode share, and its controls' handlers run on it. The framework holds the window; the
// controls' event connections refer to it weakly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Window.h"

class BevelButton;
class FolderItem;
class Graphics;
class Label;
class Listbox;
class MenuItem;
class QuitMenuItem;
class Sound;
class Timer;

class Window1 : public Window {
 public:
  Window1();
  ~Window1() override;

  // The single instance: the open Window1, or a new one, constructed.
  static std::shared_ptr<Window1> Instance();

  // Construction steps.
  void Layout() override;
  void CreateControls() override;
  void CreateControls0();

  // The controls, looked up through the window at every call.
  std::shared_ptr<Listbox> MusicList();
  std::shared_ptr<Label> Label1();
  std::shared_ptr<Label> Label2();
  std::shared_ptr<Listbox> PSAList();
  std::shared_ptr<Label> Label3();
  // The alert button with that index; null when there is none.
  std::shared_ptr<BevelButton> AlertButton(int32_t index);
  std::shared_ptr<Label> Label4();
  std::shared_ptr<Label> PlayingLabel();
  std::shared_ptr<Timer> Poller();

  // Control handlers.
  bool MusicList_CellBackgroundPaint(std::shared_ptr<Listbox> list, std::shared_ptr<Graphics> g,
                                     int32_t row, int32_t column);
  void MusicList_Open(std::shared_ptr<Listbox> list);
  bool PSAList_CellBackgroundPaint(std::shared_ptr<Listbox> list, std::shared_ptr<Graphics> g,
                                   int32_t row, int32_t column);
  void PSAList_Open(std::shared_ptr<Listbox> list);
  void AlertButton_Action(std::shared_ptr<BevelButton> button);
  void AlertButton_Open(std::shared_ptr<BevelButton> button);
  void Poller_Action(std::shared_ptr<Timer> timer);

  // The menu items of the window's menu bar, by name.
  std::shared_ptr<MenuItem> EditMenu();
  std::shared_ptr<MenuItem> EditSelectAll();
  std::shared_ptr<MenuItem> UntitledMenu0();
  std::shared_ptr<MenuItem> EditClear();
  std::shared_ptr<MenuItem> EditPaste();
  std::shared_ptr<MenuItem> EditCopy();
  std::shared_ptr<MenuItem> EditCut();
  std::shared_ptr<MenuItem> UntitledMenu1();
  std::shared_ptr<MenuItem> EditUndo();
  std::shared_ptr<MenuItem> FileMenu();
  std::shared_ptr<QuitMenuItem> FileQuit();

  // Fills a list from a folder, asking for the folder when it is missing.
  void FillListWithMusic(std::shared_ptr<Listbox> list, std::shared_ptr<FolderItem> folder,
                         const std::string& prompt, std::shared_ptr<FolderItem> initialFolder);
  // The next sound: the lit alert button's, else a random row of the list whose turn it is.
  std::shared_ptr<Sound> PickNextTrack();
  // When nothing plays, picks the next sound and starts it.
  void CheckNextTrack();

  // Read access to the playback state, for tests.
  const std::shared_ptr<Sound>& CurrentSound() const { return current; }
  bool CurrentPSA() const { return currentPSA; }
  const std::vector<std::shared_ptr<Sound>>& AlertSounds() const { return alertSound; }

 private:
  std::shared_ptr<MenuItem> MenuBarItem(const std::string& name);

  // The sound that the last pick returned; null at first and after a pick that gave none.
  std::shared_ptr<Sound> current;
  // The rotation's turn: the next pick takes the music list when true, the PSA list when false.
  bool currentPSA = false;
  // The alert sounds, indexed like the alert buttons; slot 2 ("--") stays null.
  std::vector<std::shared_ptr<Sound>> alertSound = std::vector<std::shared_ptr<Sound>>(3);
};
