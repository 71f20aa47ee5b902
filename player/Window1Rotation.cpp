// Rotation and playback: at every tick of the poll timer, when nothing plays, pick the next
// sound and start it. The PSA list and the music list take strict turns, the PSA list first,
// each turn a uniformly random row; a lit alert button overrides the rotation.
#include "framework/BevelButton.h"
#include "framework/Exceptions.h"
#include "framework/FolderItem.h"
#include "framework/Label.h"
#include "framework/Listbox.h"
#include "framework/Rnd.h"
#include "framework/Sound.h"
#include "framework/Timer.h"
#include "player/Window1.h"

void Window1::Poller_Action(std::shared_ptr<Timer> /*timer*/) {
  CheckNextTrack();
}

void Window1::CheckNextTrack() {
  if (current && current->IsPlaying()) return;
  current = PickNextTrack();
  if (current) current->Play();
}

std::shared_ptr<Sound> Window1::PickNextTrack() {
  // The alert override: the lit button with the lowest index wins.
  for (int32_t i = 0;; ++i) {
    std::shared_ptr<BevelButton> button = AlertButton(i);
    if (!button) break;
    if (!button->Value()) continue;
    NilCheck(PlayingLabel())->Text(button->Caption());
    currentPSA = true;
    return i < static_cast<int32_t>(alertSound.size()) ? alertSound[static_cast<size_t>(i)]
                                                       : nullptr;
  }

  // The rotation. The turn passes to the other list before anything can fail.
  std::shared_ptr<Listbox> list = currentPSA ? MusicList() : PSAList();
  currentPSA = !currentPSA;
  int32_t rows = NilCheck(list)->ListCount();
  if (rows <= 0) return nullptr;  // an empty list passes its turn: nothing to select or play
  int32_t row = ToInt32(Rnd() * rows);
  std::shared_ptr<FolderItem> item = Cast<FolderItem>(list->RowTag(row));
  list->ListIndex(row);
  NilCheck(PlayingLabel())->Text(list->Cell(row, 0));
  return NilCheck(item)->OpenAsSound();
}
