// The application bundle the program runs from: Lumivox.app/Contents/MacOS/Lumivox, with the
// program's own files in Lumivox.app/Contents/Resources.
#pragma once

#include <memory>

class FolderItem;

// The bundle's "Resources" folder: the executable's parent's parent's child of that name, or
// null. A missing executable item or parent raises NilObjectException.
std::shared_ptr<FolderItem> GetApplicationBundleResources();
