// The waiting ctags: started once with its standard input and output on pipes, asked per file.
#include "aids/tag_server.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "aids/tag_command.h"
#include "aids/tag_runner.h"
#include "aids/tag_stream.h"
#include "base/handles.h"
#include "base/inherit_lock.h"

namespace kelpo {
namespace {

// What ctags writes after each file's tags. Tag lines hold tabs and the mark none, and it follows a
// line end or stands first, so it is never taken for a tag.
constexpr char kEndMark[] = "\x01kelpo-tags-end\x01";
constexpr wchar_t kCommand[] = L"ctags --filter=yes --filter-terminator=\x01kelpo-tags-end\x01 -n --fields=+n";
constexpr DWORD kPipeSize = 1 << 20;
constexpr DWORD kReadSize = 65536;

class TagServer {
public:
    TagServerResult Ask(const std::wstring& path, int language, KindMask mask, DWORD limitMs,
                        std::vector<Symbol>& symbols);
    void Stop();
    DWORD ProcessId() const { return process_ ? ::GetProcessId(process_.get()) : 0; }

private:
    bool Start();
    bool Send(const std::string& request);
    TagServerResult ReadAnswer(ULONGLONG deadline, std::string& answer);

    unique_handle process_;
    unique_handle input_;   // the generator's standard input, our end
    unique_handle output_;  // its standard output and error, our end
};

bool TagServer::Start() {
    unique_handle childInput;
    unique_handle childOutput;
    if (!MakeTagPipe(childInput, input_, kPipeSize) || !MakeTagPipe(output_, childOutput, kPipeSize)) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = childInput.get();
    startup.hStdOutput = childOutput.get();
    startup.hStdError = childOutput.get();
    std::wstring commandLine = kCommand;
    PROCESS_INFORMATION info{};
    {
        std::lock_guard<std::mutex> lock(InheritLock());
        if (!::SetHandleInformation(childInput.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT) ||
            !::SetHandleInformation(childOutput.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT) ||
            !::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                              CREATE_NEW_PROCESS_GROUP | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info)) {
            return false;
        }
    }
    ::CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    return true;
}

void TagServer::Stop() {
    input_.reset();  // an ended input ends the generator
    if (process_ && ::WaitForSingleObject(process_.get(), 200) != WAIT_OBJECT_0) {
        ::TerminateProcess(process_.get(), 2);
    }
    process_.reset();
    output_.reset();
}

bool TagServer::Send(const std::string& request) {
    DWORD written = 0;
    return ::WriteFile(input_.get(), request.data(), static_cast<DWORD>(request.size()), &written, nullptr) &&
           written == request.size();
}

bool EndsWithMark(const std::string& answer) {
    const std::string_view mark(kEndMark);
    return answer.ends_with(mark) &&
           (answer.size() == mark.size() || answer[answer.size() - mark.size() - 1] == '\n');
}

// Reads until the end mark; the pipe is polled, as a blocking read could not be given a time limit.
TagServerResult TagServer::ReadAnswer(ULONGLONG deadline, std::string& answer) {
    std::array<char, kReadSize> buffer;
    for (;;) {
        DWORD waiting = 0;
        if (!::PeekNamedPipe(output_.get(), nullptr, 0, nullptr, &waiting, nullptr)) return TagServerResult::Unusable;
        if (waiting > 0) {
            DWORD got = 0;
            if (!::ReadFile(output_.get(), buffer.data(), std::min(waiting, kReadSize), &got, nullptr)) {
                return TagServerResult::Unusable;
            }
            answer.append(buffer.data(), got);
            if (EndsWithMark(answer)) return TagServerResult::Done;
            continue;
        }
        if (::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return TagServerResult::Unusable;
        if (::GetTickCount64() >= deadline) return TagServerResult::TimedOut;
        ::WaitForSingleObject(process_.get(), 1);
    }
}

TagServerResult TagServer::Ask(const std::wstring& path, int language, KindMask mask, DWORD limitMs,
                               std::vector<Symbol>& symbols) {
    const ULONGLONG deadline = ::GetTickCount64() + limitMs;
    // The generator reads its input as ANSI lines: a path that does not survive that, or would be
    // read as an option, goes to a generator of its own on the command line.
    BOOL lossy = FALSE;
    const int bytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()),
                                            nullptr, 0, nullptr, &lossy);
    if (path.empty() || path.front() == L'-' || path.find_first_of(L"\r\n") != std::wstring::npos || bytes <= 0 ||
        lossy) {
        return TagServerResult::Unusable;
    }
    std::string request = "--language-force=";
    const std::wstring_view name = CtagsLanguageName(language);
    request += name.empty() ? std::string("auto") : std::string(name.begin(), name.end());
    request += '\n';
    const std::size_t pathStart = request.size();
    request.resize(pathStart + static_cast<std::size_t>(bytes));
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.data(), static_cast<int>(path.size()),
                          request.data() + pathStart, bytes, nullptr, nullptr);
    request += '\n';

    if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) Stop();
    if (!process_ && !Start()) {
        Stop();
        return TagServerResult::Unusable;
    }
    std::string answer;
    const TagServerResult result = Send(request) ? ReadAnswer(deadline, answer) : TagServerResult::Unusable;
    if (result != TagServerResult::Done) {
        Stop();
        return result;
    }
    answer.resize(answer.size() - std::string_view(kEndMark).size());
    symbols.clear();
    TagStream stream(language, mask, [&symbols](const Symbol& symbol) { symbols.push_back(symbol); });
    stream.Feed(answer);
    stream.Finish();
    return TagServerResult::Done;
}

std::mutex& ServerLock() {
    static std::mutex lock;
    return lock;
}

TagServer& Server() {
    static TagServer server;
    return server;
}

}  // namespace

TagServerResult AskTagServer(const std::wstring& path, int language, KindMask mask, DWORD limitMs,
                             std::vector<Symbol>& symbols) {
    std::lock_guard<std::mutex> lock(ServerLock());
    return Server().Ask(path, language, mask, limitMs, symbols);
}

DWORD TagServerProcessId() {
    std::lock_guard<std::mutex> lock(ServerLock());
    return Server().ProcessId();
}

}  // namespace kelpo
