#include "example/error_message.h"

#include <windows.h>

namespace crvdemo {

void ShowError(const char *text) { MessageBoxA(nullptr, text, "Error occured", MB_OK); }

} // namespace crvdemo
