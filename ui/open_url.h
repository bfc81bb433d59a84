#ifndef CRV_OPEN_URL_H
#define CRV_OPEN_URL_H

namespace crv::ui {

// Starts a browser with the web address: the first of iexplore, netscape
// and opera registered under the machine's App Paths, or, when none is, the
// system's own handler for web addresses. True only when a program started.
bool OpenUrlInBrowser(const char *address);

} // namespace crv::ui

#endif
