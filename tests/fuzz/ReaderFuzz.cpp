// The suite's readers under damaged files. The damaged copies of a program folder are loaded
// in child processes (this program again, with --child), a batch of copies one after another
// in each, so that Wine's process start is paid once a batch. A child writes each copy's
// result as it finishes; when it crashes or stops answering, the copy it was on is the fault
// and the rest of its batch goes to a new child. The harness alone keeps the time limit, per
// copy. Per reader it counts the copies that loaded, were refused, crashed, hung, changed a
// file they read, or lost a line on a save and read-back, and keeps every faulty copy under
// the findings folder.
//
//   reader_fuzz [--count N] [--first N] [--reader NAME] [--limit SECONDS] [--jobs N]
//               [--batch N] [--seed N] [--findings FOLDER]
//   reader_fuzz --readers
// --first numbers the copies from N, so that a finding's batch can be made again alone;
// --readers lists the readers this program holds.

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "FuzzReaders.h"
#include "Mutator.h"

namespace {

const char kResultPrefix[] = "result ";

struct Options
{
    int count = 5000;
    int first = 0;
    std::string reader;
    DWORD limitMs = 60000;
    int jobs = 4;
    int batch = 25;
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

// One damaged program folder, and where its child writes the result.
struct Copy
{
    int number = 0;
    std::string folder, scratch, result, mutations;
    Files written;
    // Set once a child died on it: it then runs in a child of its own.
    DWORD diedWith = 0;
    bool alone = false;
};

// Copies on their way through one child process, in order: those before `next` are counted.
struct Batch
{
    std::vector<Copy> copies;
    size_t next = 0;
    std::string list;
    HANDLE process = NULL;
    DWORD lastProgress = 0;
};

std::string ReadWholeFile(const std::string& path)
{
    std::string bytes;
    // The child's rename may still hold the new name open for a moment: share everything.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, 0, NULL);
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

std::string Hex(DWORD value)
{
    char text[16];
    snprintf(text, sizeof(text), "%08lx", (unsigned long)value);
    return text;
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

// The result goes in under its final name only once whole, so the harness never reads half.
void WriteResult(const std::string& path, int result)
{
    std::string partial = path + ".part";
    WriteWholeFile(partial, kResultPrefix + std::to_string(result));
    MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// list: a line per copy, "folder|scratch|result".
int RunChild(const char* readerName, const char* list)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(EndOnFault);
    // What a reader prints as it goes (Gantrix names each service it hands out) is no result.
    freopen("NUL", "w", stdout);
    const FuzzReader* reader = kFuzzReaders;
    while (reader->name && strcmp(reader->name, readerName) != 0)
        ++reader;
    if (!reader->name)
        return 4;
    std::string lines = ReadWholeFile(list);
    size_t at = 0;
    while (at < lines.size()) {
        size_t end = lines.find('\n', at);
        if (end == std::string::npos)
            end = lines.size();
        std::string line = lines.substr(at, end - at);
        at = end + 1;
        size_t bar1 = line.find('|'), bar2 = line.rfind('|');
        if (bar1 == std::string::npos || bar2 == bar1)
            continue;
        int result;
        try {
            result = reader->load(line.substr(0, bar1).c_str(), line.substr(bar1 + 1, bar2 - bar1 - 1).c_str());
        } catch (...) {
            return 3;  // an exception left the reader: no result, so a crash
        }
        WriteResult(line.substr(bar2 + 1), result);
    }
    return 0;
}

// --- the harness ------------------------------------------------------------------------

bool StartChild(const FuzzReader& reader, Batch& batch)
{
    std::string command = "\"" + ProgramPath() + "\" --child " + reader.name + " \"" + batch.list + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    batch.process = info.hProcess;
    batch.lastProgress = GetTickCount();
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

enum Outcome { kResultWritten, kCrashed, kHung };

// Counts the copy's outcome, keeps it when it is a fault, and clears it away.
void Finish(const Options& options, const FuzzReader& reader, Copy& copy, Outcome outcome,
            DWORD took, Tally& tally)
{
    ++tally.copies;
    if (outcome != kHung && took > tally.slowestMs)
        tally.slowestMs = took;
    std::string result = ReadWholeFile(copy.result);
    const char* fault = NULL;
    if (outcome == kHung) {
        ++tally.hangs;
        fault = "hang";
    } else if (outcome == kCrashed) {
        ++tally.crashes;
        fault = "crash";
    } else if (result.compare(0, strlen(kResultPrefix), kResultPrefix) != 0) {
        ++tally.crashes;
        fault = "crash";
        copy.mutations += " / result \"" + result + "\"";
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
    if (outcome != kHung && ReadFiles(copy.folder, copy.written) != copy.written) {
        ++tally.changed;
        fault = "changed a file it read";
    }
    if (fault)
        KeepFinding(options, reader, copy, fault);
    else if (copy.alone)
        printf("  %s copy %d: its batch's child died on it (exit code %s); alone it read cleanly\n", reader.name,
               copy.number, Hex(copy.diedWith).c_str());
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

bool HasResult(const Copy& copy)
{
    return ReadWholeFile(copy.result).compare(0, strlen(kResultPrefix), kResultPrefix) == 0;
}

// Counts the copies whose results the batch's child has written since the last look. A
// result that cannot be read yet is read at the next look.
void CountWritten(const Options& options, const FuzzReader& reader, Batch& batch, Tally& tally)
{
    while (batch.next < batch.copies.size() && HasResult(batch.copies[batch.next])) {
        DWORD now = GetTickCount();
        Finish(options, reader, batch.copies[batch.next++], kResultWritten, now - batch.lastProgress, tally);
        batch.lastProgress = now;
    }
}

Tally RunReader(const Options& options, const FuzzReader& reader, const Files& seed,
                const std::string& work)
{
    Tally tally;
    std::deque<Copy> waiting;
    std::vector<Batch> running;
    int made = 0, batches = 0;
    while (made < options.count || !waiting.empty() || !running.empty()) {
        while ((made < options.count || !waiting.empty()) && (int)running.size() < options.jobs) {
            Batch batch;
            batch.list = work + "\\" + reader.name + "-batch" + std::to_string(batches++) + ".txt";
            std::string lines;
            while ((int)batch.copies.size() < options.batch && (!waiting.empty() || made < options.count)) {
                if (!waiting.empty() && waiting.front().alone) {
                    if (!batch.copies.empty())
                        break;
                    batch.copies.push_back(waiting.front());
                    waiting.pop_front();
                    lines += batch.copies.back().folder + "|" + batch.copies.back().scratch + "|" +
                             batch.copies.back().result + "\n";
                    break;
                }
                if (!waiting.empty()) {
                    batch.copies.push_back(waiting.front());
                    waiting.pop_front();
                } else {
                    batch.copies.push_back(MakeCopy(options, reader, seed, work, options.first + made++));
                }
                const Copy& copy = batch.copies.back();
                lines += copy.folder + "|" + copy.scratch + "|" + copy.result + "\n";
            }
            WriteWholeFile(batch.list, lines);
            // Wine refuses a process now and then on a busy machine: try again a little later.
            int tries = 0;
            while (!StartChild(reader, batch)) {
                if (++tries == 20) {
                    printf("reader_fuzz: cannot start a child (error %lu)\n", GetLastError());
                    exit(2);
                }
                Sleep(500);
            }
            running.push_back(batch);
        }
        std::vector<HANDLE> handles;
        for (const Batch& batch : running)
            handles.push_back(batch.process);
        WaitForMultipleObjects((DWORD)handles.size(), handles.data(), FALSE, 100);
        for (size_t i = 0; i < running.size();) {
            Batch& batch = running[i];
            bool ended = WaitForSingleObject(batch.process, 0) == WAIT_OBJECT_0;
            CountWritten(options, reader, batch, tally);
            bool hung = !ended && batch.next < batch.copies.size() &&
                        GetTickCount() - batch.lastProgress > options.limitMs;
            if (hung) {
                TerminateProcess(batch.process, 1);
                WaitForSingleObject(batch.process, 5000);
                CountWritten(options, reader, batch, tally);
            }
            if (!ended && !hung) {
                ++i;
                continue;
            }
            // The copy the child was on when it ended or stopped answering is the fault, the
            // rest of its batch waits for another child. A child that died is given a second
            // chance on that copy alone, so that a process Wine failed to start, or harm done
            // by an earlier copy, is not the copy's fault; what it then does is its result.
            if (batch.next < batch.copies.size()) {
                Copy& copy = batch.copies[batch.next];
                DWORD code = 0;
                GetExitCodeProcess(batch.process, &code);
                size_t rest = batch.next + 1;
                if (!hung && !copy.alone) {
                    copy.alone = true;
                    copy.diedWith = code;
                    rest = batch.next;
                } else {
                    if (!hung)
                        copy.mutations += " / exit code " + Hex(code);
                    Finish(options, reader, copy, hung ? kHung : kCrashed, GetTickCount() - batch.lastProgress, tally);
                }
                for (size_t c = batch.copies.size(); c-- > rest;)
                    waiting.push_front(batch.copies[c]);
            }
            CloseHandle(batch.process);
            DeleteFileA(batch.list.c_str());
            running.erase(running.begin() + i);
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
        else if (arg == "--first")
            options.first = atoi(value) > 0 ? atoi(value) : 0;
        else if (arg == "--reader")
            options.reader = value;
        else if (arg == "--limit")
            options.limitMs = (DWORD)atoi(value) * 1000;
        else if (arg == "--jobs")
            options.jobs = atoi(value) > 0 ? atoi(value) : 1;
        else if (arg == "--batch")
            options.batch = atoi(value) > 0 ? atoi(value) : 1;
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
    if (argc == 4 && strcmp(argv[1], "--child") == 0)
        return RunChild(argv[2], argv[3]);
    if (argc == 2 && strcmp(argv[1], "--readers") == 0) {
        for (const FuzzReader* reader = kFuzzReaders; reader->name; ++reader)
            printf("%s\n", reader->name);
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        printf("usage: reader_fuzz [--count N] [--first N] [--reader NAME] [--limit SECONDS]\n"
               "                   [--jobs N] [--batch N] [--seed N] [--findings FOLDER]\n");
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
