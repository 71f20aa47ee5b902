// The program's test seams: every way in which a test may change what the program does.
// Program's thread only.
#pragma once

class MenuItem;

// Called with each menu item as MenuBar1 builds it, once the item is made, named and given its
// caption and shortcut, before it is attached (null: none). What it raises ends the build.
using MenuItemCreatedHook = void (*)(MenuItem& item);
void SetMenuItemCreatedHookForTesting(MenuItemCreatedHook hook);

// Forgets both alert sound loads, so that the next calls of amberalert and gateclosed load
// their files again.
void ResetAlertSoundsForTesting();
