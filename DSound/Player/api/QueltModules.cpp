// Exported module slots and the play list.
#include "api/QueltModules.h"

#include <algorithm>

#include "api/QueltLibrary.h"
#include "base/Error.h"
#include "loaders/ModuleLoaders.h"
#include "player/ModulePlayer.h"

namespace {

bool ValidListEntry(const PlayList& list, int position) {
  return ValidModuleIndex(list.entries[position]);
}

// Stops the module and forgets the list. List mutex held.
void StopListLocked(QueltLibrary& library) {
  StopModule();
  library.mixer.endOfSongCallback = nullptr;
  library.playList.count = 0;
  library.playList.entries = nullptr;
}

// The end-of-song callback of a play list, on the streaming thread: starts
// the next entry that can start, or ends the list.
void AdvancePlayList(int32_t /*argument*/) {
  QueltLibrary& library = Library();
  PlayList& list = library.playList;
  std::lock_guard<std::mutex> lock(list.mutex);
  // The list was stopped, or something else was started since the song ended.
  if (list.count == 0 || library.mixer.playing) return;
  for (int i = 1; i <= list.count; ++i) {
    const int candidate = (list.current + i) % list.count;
    if (!list.loop && candidate <= list.current) break;
    if (ValidListEntry(list, candidate) && StartModule(list.entries[candidate], false)) {
      list.current = candidate;
      return;
    }
  }
  StopListLocked(library);
}

}  // namespace

QUELT_API int QueltLoadModule(char* fileName, unsigned long offset) {
  QueltLibrary& library = Library();
  if (library.modules == nullptr || fileName == nullptr) {
    SetLastFailure("no module slots (QueltInit first)");
    return -1;
  }
  for (int i = 0; i < library.moduleSlots; ++i) {
    if (library.modules[i].loaded) continue;
    if (LoadModuleFile(library.modules[i], fileName, offset)) return i;
    SetLastFailure("the file cannot be read or holds no MOD, S3M, XM or QLT module");
    return -1;
  }
  SetLastFailure("every module slot is in use");
  return -1;
}

QUELT_API bool QueltUnloadModule(int module) {
  if (!ValidModuleIndex(module)) return false;
  StopModule();
  return FreeModule(Library().modules[module]);
}

QUELT_API bool QueltPlayModule(int module) { return StartModule(module, false); }

QUELT_API bool QueltPlayModule(int module, bool loop) { return StartModule(module, loop); }

QUELT_API bool QueltStopModule() {
  StopModule();
  return true;
}

QUELT_API bool QueltStartPlayList(int* list, int count, bool loop) {
  QueltLibrary& library = Library();
  PlayList& playList = library.playList;
  std::lock_guard<std::mutex> lock(playList.mutex);
  if (playList.count != 0) {
    StopModule();
    library.mixer.endOfSongCallback = nullptr;
  }
  playList.entries = list;
  playList.count = list == nullptr ? 0 : std::max(count, 0);
  playList.loop = loop;
  // Installed first, so that a song ending at once still advances the list
  // (the advance waits for this call to finish).
  library.mixer.endOfSongArgument = 1;
  library.mixer.endOfSongCallback = AdvancePlayList;
  for (int i = 0; i < playList.count; ++i) {
    if (ValidListEntry(playList, i) && StartModule(list[i], false)) {
      playList.current = i;
      return true;
    }
  }
  StopListLocked(library);
  return false;
}

QUELT_API void QueltStopPlayList() {
  QueltLibrary& library = Library();
  std::lock_guard<std::mutex> lock(library.playList.mutex);
  StopListLocked(library);
}
