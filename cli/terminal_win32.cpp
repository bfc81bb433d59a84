#include "cli/terminal.h"

#include <fcntl.h>
#include <io.h>

#include <windows.h>

namespace crvcli {

// A console answers GetConsoleMode; _isatty alone also says yes for NUL.
bool IsTerminal(std::FILE *stream) {
    int fd = _fileno(stream);
    DWORD mode = 0;
    return _isatty(fd) && GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), &mode) != 0;
}

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace crvcli
