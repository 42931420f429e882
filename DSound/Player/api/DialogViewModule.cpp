// Finding and loading the settings dialog's view module.
#include "api/DialogViewModule.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

std::mutex moduleMutex;
DialogViewModule loadedModule;
bool moduleLoaded = false;

// The folder of the file holding this code.
std::string CodeFolder() {
  Dl_info info{};
  static const int anchor = 0;
  if (dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr) return ".";
  const std::string file = info.dli_fname;
  const size_t slash = file.rfind('/');
  return slash == std::string::npos ? "." : file.substr(0, slash);
}

std::vector<std::string> Candidates() {
  if (const char* named = std::getenv(kDialogViewModuleVariable); named != nullptr && *named != '\0') {
    return {named};
  }
  const std::string folder = CodeFolder();
  std::vector<std::string> candidates = {folder + "/quelt/" + kDialogViewModuleName};
#ifdef QUELT_DIALOG_MODULE_FROM_PROGRAM
  // A program that links the library statically, installed beside it.
  candidates.push_back(folder + "/" + QUELT_DIALOG_MODULE_FROM_PROGRAM + "/" + kDialogViewModuleName);
#endif
#ifdef QUELT_DIALOG_MODULE_DIR
  candidates.push_back(std::string(QUELT_DIALOG_MODULE_DIR) + "/" + kDialogViewModuleName);
#endif
  return candidates;
}

// Binds the entry points of an opened module; false (with the reason) when
// it is not a view module of this library's interface.
bool BindModule(void* handle, const std::string& file, std::string& error) {
  auto version = reinterpret_cast<quelt_dialog::VersionFunction>(dlsym(handle, quelt_dialog::kVersionSymbol));
  auto run = reinterpret_cast<quelt_dialog::RunFunction>(dlsym(handle, quelt_dialog::kRunSymbol));
  auto close = reinterpret_cast<quelt_dialog::CloseFunction>(dlsym(handle, quelt_dialog::kCloseSymbol));
  if (version == nullptr || run == nullptr || close == nullptr) {
    error = file + " is not a settings dialog view module";
    return false;
  }
  if (version() != quelt_dialog::kViewInterfaceVersion) {
    error = file + " was built for another version of the library";
    return false;
  }
  loadedModule = {run, close};
  return true;
}

}  // namespace

const DialogViewModule* LoadDialogViewModule(std::string& error) {
  std::lock_guard<std::mutex> lock(moduleMutex);
  if (moduleLoaded) return &loadedModule;
  error.clear();
  for (const std::string& file : Candidates()) {
    // A module stays loaded for good: a toolkit cannot be unloaded safely.
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* reason = dlerror();
      error += (error.empty() ? "" : "; ") + (reason != nullptr ? std::string(reason) : file + " cannot be loaded");
      continue;
    }
    if (std::string refused; BindModule(handle, file, refused)) {
      moduleLoaded = true;
      return &loadedModule;
    } else {
      error += (error.empty() ? "" : "; ") + refused;
      dlclose(handle);
    }
  }
  if (error.empty()) error = std::string("no ") + kDialogViewModuleName + " found";
  return nullptr;
}

void CloseSettingsDialog() {
  quelt_dialog::CloseFunction close = nullptr;
  {
    std::lock_guard<std::mutex> lock(moduleMutex);
    if (moduleLoaded) close = loadedModule.close;
  }
  if (close != nullptr) close();
}
