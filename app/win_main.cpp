// Process entry of rc2e.exe: runs MainRoutine, which ends the process through the exit
// routine with code 0. Nothing else starts here.
#include <windows.h>

#include "app/main_routine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { rc2e::MainRoutine(); }
