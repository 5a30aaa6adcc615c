// The program from start to end: program-wide objects, module initialisation, the modal
// main dialog and the teardown that the exit routine runs first. No message handling here.
#pragma once

#include <cstdint>

namespace rc2e {

// Steps before the dialog: the main DialogWindow and StatusBar, the four registries,
// ProgramTeardown as the first exit hook, ModuleInit.
void PrepareProgram();
// Module handle (once), controlIdCounter 500, AtlAxWinInit from atl.dll when it exists.
void ModuleInit();
// Runs dialog 1000 modally with OnMainDialogCreated; returns 0 once it has been closed.
int32_t StartupRoutine();
// The program exit hook: the main objects, the generator's texts, then the registries.
void ProgramTeardown();
// PrepareProgram, StartupRoutine, then the exit routine with its result; does not return.
[[noreturn]] void MainRoutine();

}  // namespace rc2e
