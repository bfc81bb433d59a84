#ifndef CRV_EXAMPLE_ERROR_MESSAGE_H
#define CRV_EXAMPLE_ERROR_MESSAGE_H

namespace crvdemo {

// A message box without an owner, with the program's error caption, an OK
// button and no icon.
void ShowError(const char *text);

} // namespace crvdemo

#endif
