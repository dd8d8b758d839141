// simctl [-c n] <command>: runs one control command on a simulated card of this prefix
// through the card module's SimCommand and prints the answer.
// Exit codes: 0 done, 1 syntax, 2 no live card, 3 any other failure.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace
{
typedef HRESULT(WINAPI* SimCommandFunction)(int card, const char* command, char* out, DWORD cbOut);

const char CAPTURE_SERVER_KEY[] = "CLSID\\{05BC4709-7575-4D35-A75E-42A0EC24B13C}\\InprocServer32";
const char DEFAULT_MODULE[] = "C:\\sim\\filters\\sim2388x.ax";
const DWORD ANSWER_BYTES = 1 << 20;

enum ExitCode { EXIT_DONE = 0, EXIT_SYNTAX = 1, EXIT_NO_CARD = 2, EXIT_FAILED = 3 };

// The module where registration put it, so the tool follows a card installed elsewhere.
std::string ModulePath()
{
    char path[MAX_PATH] = "";
    LONG size = sizeof(path);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, CAPTURE_SERVER_KEY, path, &size) == ERROR_SUCCESS && path[0] != '\0')
        return path;
    return DEFAULT_MODULE;
}

int Usage()
{
    fputs("usage: simctl [-c n] <command>\n", stderr);
    return EXIT_SYNTAX;
}
}

int main(int argc, char** argv)
{
    int card = 0;
    int first = 1;
    if (argc > 2 && strcmp(argv[1], "-c") == 0) {
        char* end = NULL;
        card = (int)strtol(argv[2], &end, 10);
        if (*end != '\0')
            return Usage();
        first = 3;
    }
    if (first >= argc)
        return Usage();
    std::string command;
    for (int i = first; i < argc; ++i)
        command += (i > first ? " " : "") + std::string(argv[i]);

    HMODULE module = LoadLibraryA(ModulePath().c_str());
    SimCommandFunction simCommand = module ? reinterpret_cast<SimCommandFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module, "SimCommand"))) : NULL;
    if (simCommand == NULL) {
        fprintf(stderr, "simctl: card module not found (%lu)\n", GetLastError());
        return EXIT_FAILED;
    }
    // The answer's lines as the card wrote them, for harnesses on either side of Wine.
    _setmode(_fileno(stdout), _O_BINARY);
    std::vector<char> answer(ANSWER_BYTES);
    HRESULT hr = simCommand(card, command.c_str(), answer.data(), ANSWER_BYTES);
    fputs(answer.data(), stdout);
    if (SUCCEEDED(hr))
        return EXIT_DONE;
    fprintf(stderr, "simctl: %08lX\n", (unsigned long)hr);
    if (hr == E_INVALIDARG)
        return EXIT_SYNTAX;
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))
        return EXIT_NO_CARD;
    return EXIT_FAILED;
}
