// The engine's readers under damaged files. Each damaged copy of a program folder is loaded
// in a child process (this program again, with --child), so a copy that crashes or hangs
// costs that copy only; the harness alone keeps the time limit. Per reader it counts the
// copies that loaded, were refused, crashed, hung, changed a file they read, or lost a line
// on a save and read-back, and keeps every faulty copy under the findings folder.
//
//   reader_fuzz [--count N] [--reader NAME] [--limit SECONDS] [--jobs N] [--seed N]
//               [--findings FOLDER]

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "FuzzReaders.h"
#include "Mutator.h"

namespace {

const char kResultPrefix[] = "result ";

struct Options
{
    int count = 100;
    std::string reader;
    DWORD limitMs = 60000;
    int jobs = 4;
    unsigned seed = 1;
    std::string findings = "fuzz-findings";
};

struct Tally
{
    int copies = 0, loaded = 0, refused = 0, crashes = 0, hangs = 0, changed = 0, lost = 0;
    DWORD slowestMs = 0;
    int Faults() const { return crashes + hangs + changed + lost; }
};

typedef std::map<std::string, std::string> Files;

// One copy on its way through a child process.
struct Copy
{
    int number = 0;
    std::string folder, scratch, result, mutations;
    Files written;
    HANDLE process = NULL;
    DWORD started = 0;
};

std::string ReadWholeFile(const std::string& path)
{
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, NULL) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
}

std::string ProgramPath()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    return path;
}

void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                DeleteFileA((folder + "\\" + name).c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

Files ReadFiles(const std::string& folder, const Files& names)
{
    Files now;
    for (const auto& file : names) {
        std::string path = folder + "\\" + file.first;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            now[file.first] = ReadWholeFile(path);
    }
    return now;
}

// --- the child --------------------------------------------------------------------------

// A fault inside the reader ends the child at once, with no result written and no dialog.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS* info)
{
    ExitProcess(info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

int RunChild(const char* readerName, const char* folder, const char* scratch,
             const char* resultPath)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnFault);
    for (const FuzzReader* reader = kFuzzReaders; reader->name; ++reader) {
        if (strcmp(reader->name, readerName) != 0)
            continue;
        int result;
        try {
            result = reader->load(folder, scratch);
        } catch (...) {
            return 3;  // an exception left the reader: no result, so a crash
        }
        WriteWholeFile(resultPath, kResultPrefix + std::to_string(result));
        return 0;
    }
    return 4;
}

// --- the harness ------------------------------------------------------------------------

bool StartChild(const FuzzReader& reader, Copy& copy)
{
    std::string command = "\"" + ProgramPath() + "\" --child " + reader.name + " \"" +
                          copy.folder + "\" \"" + copy.scratch + "\" \"" + copy.result + "\"";
    STARTUPINFOA startup = {sizeof(startup)};
    PROCESS_INFORMATION info = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    copy.process = info.hProcess;
    copy.started = GetTickCount();
    return true;
}

void KeepFinding(const Options& options, const FuzzReader& reader, const Copy& copy,
                 const char* fault)
{
    std::string where = options.findings + "\\" + reader.name + "-" + std::to_string(copy.number);
    CreateDirectoryA(options.findings.c_str(), NULL);
    CreateDirectoryA(where.c_str(), NULL);
    for (const auto& file : copy.written)
        WriteWholeFile(where + "\\" + file.first, file.second);
    WriteWholeFile(where + "\\damage.txt", std::string(fault) + ": " + copy.mutations + "\n");
    printf("  %s copy %d: %s (%s), kept in %s\n", reader.name, copy.number, fault,
           copy.mutations.c_str(), where.c_str());
    fflush(stdout);
}

// Counts the copy's outcome, keeps it when it is a fault, and clears it away.
void Finish(const Options& options, const FuzzReader& reader, Copy& copy, bool hung, Tally& tally)
{
    ++tally.copies;
    DWORD took = GetTickCount() - copy.started;
    if (!hung && took > tally.slowestMs)
        tally.slowestMs = took;
    std::string result = ReadWholeFile(copy.result);
    const char* fault = NULL;
    if (hung) {
        ++tally.hangs;
        fault = "hang";
    } else if (result.compare(0, strlen(kResultPrefix), kResultPrefix) != 0) {
        ++tally.crashes;
        fault = "crash";
    } else {
        int code = atoi(result.c_str() + strlen(kResultPrefix));
        if (code == FuzzReader::kLostOnSave) {
            ++tally.lost;
            fault = "lost on save";
        } else if (code == FuzzReader::kRefused) {
            ++tally.refused;
        } else {
            ++tally.loaded;
        }
    }
    if (!hung && ReadFiles(copy.folder, copy.written) != copy.written) {
        ++tally.changed;
        fault = "changed a file it read";
    }
    if (fault)
        KeepFinding(options, reader, copy, fault);
    CloseHandle(copy.process);
    RemoveFolder(copy.folder);
    DeleteFileA(copy.scratch.c_str());
    DeleteFileA(copy.result.c_str());
}

Copy MakeCopy(const Options& options, const FuzzReader& reader, const Files& seed,
              const std::string& work, int number)
{
    Copy copy;
    copy.number = number;
    std::string base = work + "\\" + reader.name + "-" + std::to_string(number);
    copy.folder = base;
    copy.scratch = base + ".save.ini";
    copy.result = base + ".result";
    CreateDirectoryA(copy.folder.c_str(), NULL);

    uint64_t key = ((uint64_t)options.seed << 32) ^ (uint64_t)number;
    for (const char* c = reader.name; *c; ++c)
        key = key * 131 + (unsigned char)*c;
    Mutator mutator(key);
    int damaged = (int)mutator.Below((uint32_t)reader.damaged);
    for (int i = 0; reader.files[i]; ++i) {
        const std::string& bytes = seed.at(reader.files[i]);
        std::string mutations;
        copy.written[reader.files[i]] = i == damaged ? mutator.Mutate(bytes, mutations) : bytes;
        if (i == damaged)
            copy.mutations = std::string(reader.files[i]) + ": " + mutations;
    }
    for (const auto& file : copy.written)
        WriteWholeFile(copy.folder + "\\" + file.first, file.second);
    return copy;
}

Tally RunReader(const Options& options, const FuzzReader& reader, const Files& seed,
                const std::string& work)
{
    Tally tally;
    std::vector<Copy> running;
    int next = 0;
    while (next < options.count || !running.empty()) {
        while (next < options.count && (int)running.size() < options.jobs) {
            Copy copy = MakeCopy(options, reader, seed, work, next++);
            // Wine refuses a process now and then on a busy machine: try again a little later.
            int tries = 0;
            while (!StartChild(reader, copy)) {
                if (++tries == 20) {
                    printf("reader_fuzz: cannot start a child (error %lu)\n", GetLastError());
                    exit(2);
                }
                Sleep(500);
            }
            running.push_back(copy);
        }
        std::vector<HANDLE> handles;
        for (const Copy& copy : running)
            handles.push_back(copy.process);
        WaitForMultipleObjects((DWORD)handles.size(), handles.data(), FALSE, 100);
        for (size_t i = 0; i < running.size();) {
            Copy& copy = running[i];
            bool ended = WaitForSingleObject(copy.process, 0) == WAIT_OBJECT_0;
            bool hung = !ended && GetTickCount() - copy.started > options.limitMs;
            if (hung) {
                TerminateProcess(copy.process, 1);
                WaitForSingleObject(copy.process, 5000);
            }
            if (ended || hung) {
                Finish(options, reader, copy, hung, tally);
                running.erase(running.begin() + i);
            } else {
                ++i;
            }
        }
    }
    return tally;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        if (arg == "--count")
            options.count = atoi(value);
        else if (arg == "--reader")
            options.reader = value;
        else if (arg == "--limit")
            options.limitMs = (DWORD)atoi(value) * 1000;
        else if (arg == "--jobs")
            options.jobs = atoi(value) > 0 ? atoi(value) : 1;
        else if (arg == "--seed")
            options.seed = (unsigned)strtoul(value, NULL, 10);
        else if (arg == "--findings")
            options.findings = value;
        else
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && strcmp(argv[1], "--child") == 0)
        return RunChild(argv[2], argv[3], argv[4], argv[5]);
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        printf("usage: reader_fuzz [--count N] [--reader NAME] [--limit SECONDS] [--jobs N]\n"
               "                   [--seed N] [--findings FOLDER]\n");
        return 2;
    }
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    std::string work = std::string(temp) + "reader_fuzz-" + std::to_string(GetCurrentProcessId());
    std::string seedFolder = work + "\\seed";
    CreateDirectoryA(work.c_str(), NULL);
    CreateDirectoryA(seedFolder.c_str(), NULL);
    WriteSeedFolder(seedFolder.c_str());
    Files seed;
    for (const FuzzReader* reader = kFuzzReaders; reader->name; ++reader)
        for (int i = 0; reader->files[i]; ++i)
            seed[reader->files[i]] = ReadWholeFile(seedFolder + "\\" + reader->files[i]);

    printf("%-12s %7s %7s %7s %7s %7s %7s %7s %8s\n", "reader", "copies", "loaded", "refused",
           "crashes", "hangs", "changed", "lost", "slowest");
    fflush(stdout);
    int faults = 0;
    bool any = false;
    for (const FuzzReader* reader = kFuzzReaders; reader->name; ++reader) {
        if (!options.reader.empty() && options.reader != reader->name)
            continue;
        any = true;
        DWORD start = GetTickCount();
        Tally t = RunReader(options, *reader, seed, work);
        printf("%-12s %7d %7d %7d %7d %7d %7d %7d %7.1fs   (%.0f s in all)\n", reader->name,
               t.copies, t.loaded, t.refused, t.crashes, t.hangs, t.changed, t.lost,
               t.slowestMs / 1000.0, (GetTickCount() - start) / 1000.0);
        fflush(stdout);
        faults += t.Faults();
    }
    RemoveFolder(seedFolder);
    RemoveFolder(work);
    if (!any) {
        printf("reader_fuzz: no reader named %s\n", options.reader.c_str());
        return 2;
    }
    printf("%s\n", faults ? "FAULTS FOUND" : "no faults");
    return faults ? 1 : 0;
}
