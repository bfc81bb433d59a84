// Stands in for a browser: writes the name it was started as and its first
// argument to the file named by CRV_RECORD_FILE, in one step, so a reader
// never sees half of it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>

int main(int argc, char **argv) {
    const char *record = std::getenv("CRV_RECORD_FILE");
    if (!record)
        return 2;
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const char *name = std::strrchr(program, '\\');
    std::string text = std::string(name ? name + 1 : program) + "\n" +
                       (argc > 1 ? argv[1] : "") + "\n";
    std::string partial = std::string(record) + ".part";
    FILE *file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return 1;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    return MoveFileExA(partial.c_str(), record, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
