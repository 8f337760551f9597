// The generator's output is polled rather than read blocking: a read on a pipe cannot be given a
// time limit, and the process ending is what tells the output is complete.
#include "aids/tag_runner.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "aids/tag_command.h"
#include "aids/tag_server.h"
#include "aids/tag_stream.h"
#include "base/handles.h"
#include "base/inherit_lock.h"

namespace kelpo {
namespace {

constexpr DWORD kReadSize = 16384;
// Room for a large file's output, so that the generator seldom waits for the reader.
constexpr DWORD kPipeSize = 1 << 20;

struct ChildPipes {
    unique_handle outputRead;   // ours
    unique_handle outputWrite;  // the child's standard output and error
    unique_handle inputRead;    // the child's standard input
    unique_handle inputWrite;   // ours
};

std::optional<ChildPipes> MakeChildPipes() {
    ChildPipes pipes;
    // Only the child's ends become inheritable, just for its start: were ours to reach it, the
    // output pipe would never report its end.
    if (!MakeTagPipe(pipes.outputRead, pipes.outputWrite, kPipeSize) ||
        !MakeTagPipe(pipes.inputRead, pipes.inputWrite, kPipeSize)) {
        return std::nullopt;
    }
    return pipes;
}

unique_handle StartHidden(const std::wstring& commandLine, const ChildPipes& pipes) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = pipes.inputRead.get();
    startup.hStdOutput = pipes.outputWrite.get();
    startup.hStdError = pipes.outputWrite.get();
    std::wstring mutableLine = commandLine;  // CreateProcessW may write into it
    PROCESS_INFORMATION process{};
    std::lock_guard<std::mutex> lock(InheritLock());
    if (!::SetHandleInformation(pipes.outputWrite.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT) ||
        !::SetHandleInformation(pipes.inputRead.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT) ||
        !::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE,
                          CREATE_NEW_PROCESS_GROUP | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        return unique_handle();
    }
    ::CloseHandle(process.hThread);
    return unique_handle(process.hProcess);
}

// Reads until the process has ended and its output is drained; false when the time ran out first.
bool ReadUntilEnd(HANDLE output, HANDLE process, TagStream& stream, ULONGLONG deadline) {
    std::array<char, kReadSize> buffer;
    for (;;) {
        DWORD waiting = 0;
        if (!::PeekNamedPipe(output, nullptr, 0, nullptr, &waiting, nullptr)) {
            return true;  // every writer is gone and nothing is left
        }
        if (waiting > 0) {
            DWORD got = 0;
            if (!::ReadFile(output, buffer.data(), std::min(waiting, kReadSize), &got, nullptr)) return true;
            stream.Feed(std::string_view(buffer.data(), got));
            continue;
        }
        if (::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            // The output written just before the end is in the pipe already.
            if (::PeekNamedPipe(output, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) continue;
            return true;
        }
        if (::GetTickCount64() >= deadline) return false;
        ::WaitForSingleObject(process, 1);
    }
}

}  // namespace

bool MakeTagPipe(unique_handle& read, unique_handle& write, DWORD size) {
    HANDLE r = nullptr;
    HANDLE w = nullptr;
    if (!::CreatePipe(&r, &w, nullptr, size)) return false;
    read.reset(r);
    write.reset(w);
    return true;
}

std::optional<std::vector<Symbol>> RunTagProgram(const std::wstring& commandLine, int language, KindMask mask,
                                                 DWORD limitMs) {
    const ULONGLONG deadline = ::GetTickCount64() + limitMs;
    std::optional<ChildPipes> pipes = MakeChildPipes();
    if (!pipes) return std::nullopt;
    const unique_handle process = StartHidden(commandLine, *pipes);
    if (!process) return std::nullopt;
    // With the child's ends closed here, the pipe breaks when the child is gone, and its standard
    // input reads as ended.
    pipes->outputWrite.reset();
    pipes->inputRead.reset();
    pipes->inputWrite.reset();

    std::vector<Symbol> symbols;
    TagStream stream(language, mask, [&symbols](const Symbol& symbol) { symbols.push_back(symbol); });
    if (!ReadUntilEnd(pipes->outputRead.get(), process.get(), stream, deadline)) {
        ::TerminateProcess(process.get(), 2);
        return std::nullopt;
    }
    stream.Finish();
    if (::WaitForSingleObject(process.get(), 1000) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 2);
        return std::nullopt;
    }
    return symbols;
}

std::optional<std::vector<Symbol>> CollectTags(const std::wstring& path, int language, KindMask mask) {
    if (path.empty()) return std::nullopt;
    std::vector<Symbol> symbols;
    switch (AskTagServer(path, language, mask, kTagRunLimitMs, symbols)) {
    case TagServerResult::Done:
        return symbols;
    case TagServerResult::TimedOut:
        return std::nullopt;
    case TagServerResult::Unusable:
        break;
    }
    return RunTagProgram(TagCommandLine(language, path), language, mask);
}

bool RunTags(const std::wstring& path, int language, TagSink& sink, KindMask mask) {
    const std::optional<std::vector<Symbol>> symbols = CollectTags(path, language, mask);
    if (!symbols) return false;
    for (const Symbol& symbol : *symbols) sink.Receive(symbol);
    return true;
}

}  // namespace kelpo
