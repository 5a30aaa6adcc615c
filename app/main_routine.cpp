// MainRoutine and its stages: set-up, module initialisation, the modal main dialog and the
// teardown. The dialog's wiring is in main_dialog.cpp; the exit routine is the run-time's.
#include "app/main_routine.h"

#include <windows.h>

#include "app/main_dialog.h"
#include "app/program_objects.h"
#include "framework/handle_map.h"
#include "framework/program_module.h"
#include "generator/generator_state.h"
#include "runtime/fatal.h"

namespace rc2e {

namespace {

constexpr int32_t kFirstControlIdCounter = 500;

// AtlAxWinInit registers the ActiveX host window classes; its result is not used.
void InitializeActiveXHosting() {
  HMODULE atl = LoadLibraryA("atl.dll");
  if (!atl) return;
  using AtlAxWinInitFunction = BOOL(WINAPI*)();
  auto atlAxWinInit = reinterpret_cast<AtlAxWinInitFunction>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
  if (atlAxWinInit) atlAxWinInit();
}

}  // namespace

void PrepareProgram() {
  ConstructProgramObjects();
  CreateRegistries();
  SetExitHook(ExitHookSlot::Program, ProgramTeardown);
  ModuleInit();
}

void ModuleInit() {
  if (!programModule.moduleHandle) programModule.moduleHandle = GetModuleHandleA(nullptr);
  programModule.controlIdCounter = kFirstControlIdCounter;
  InitializeActiveXHosting();
}

int32_t StartupRoutine() {
  MainDialog()->Load(nullptr, kMainDialogTemplate, OnMainDialogCreated);
  return 0;
}

void ProgramTeardown() {
  DestroyProgramObjects();
  FreeGeneratorState();
  DestroyRegistries();
}

void MainRoutine() {
  PrepareProgram();
  ExitProgram(StartupRoutine());
}

}  // namespace rc2e
