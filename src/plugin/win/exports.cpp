// Rig placeholder, replaced by the plug-in shell.
#include <windows.h>
extern "C" __declspec(dllexport) void DLLStart(void*) {}
extern "C" __declspec(dllexport) void DLLStop(void) {}
