// Windows only: starting a program as a test's subject or helper and
// capturing what it writes, and telling whether the tests run under wine.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cwchar>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorvane::test {

struct ProgramRun {
    std::string out;
    std::string err;
    int status;
};

// Whether the tests run under wine rather than on Windows itself: only
// there may they change the machine's registry and the user's settings,
// in a throwaway prefix.
inline bool underWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

inline std::wstring wideText(const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), size);
    return wide;
}

inline std::string utf8Text(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// One word of a command line as the C runtime and CommandLineToArgvW split
// it: quoted when it holds blanks or quotes, with the backslashes before a
// quote doubled.
inline std::wstring commandWord(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring::npos) return word;
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

// The environment block of a child: this process's variables with those
// that `env` sets ("NAME=VALUE ...") replaced; none when `env` holds
// anything else (a shell command cannot be put before a program here).
inline bool childEnvironment(const std::string& env, std::wstring& block) {
    std::vector<std::wstring> set;
    std::istringstream words(env);
    for (std::string word; words >> word;) {
        const std::size_t equals = word.find('=');
        if (equals == 0 || equals == std::string::npos) return false;
        set.push_back(wideText(word));
    }
    const auto name = [](const std::wstring& variable) {
        return variable.substr(0, variable.find(L'=', 1));
    };
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* p = strings; *p; p += std::wcslen(p) + 1) {
        const std::wstring variable(p);
        bool replaced = false;
        for (const std::wstring& s : set)
            replaced = replaced || _wcsicmp(name(s).c_str(), name(variable).c_str()) == 0;
        if (!replaced) block += variable + L'\0';
    }
    FreeEnvironmentStringsW(strings);
    for (const std::wstring& s : set) block += s + L'\0';
    block += L'\0';
    return true;
}

// A new empty file in the test's temporary folder.
inline std::wstring newTempFile() {
    std::array<wchar_t, MAX_PATH + 1> path{};
    GetTempFileNameW(wideText(::testing::TempDir()).c_str(), L"qcl", 0, path.data());
    return path.data();
}

inline std::string slurp(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Runs `program` (a path, or a name found on the search path) with `args`
// and the variables `env` sets; `input` is its standard input.
inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& env = {}, const std::string& input = {}) {
    std::wstring environment;
    if (!childEnvironment(env, environment)) return {"", "not a list of variables: " + env, -1};
    std::wstring command = commandWord(wideText(program));
    for (const std::string& arg : args) command += L" " + commandWord(wideText(arg));

    const std::wstring inPath = newTempFile();
    const std::wstring outPath = newTempFile();
    const std::wstring errPath = newTempFile();
    std::ofstream(inPath.c_str(), std::ios::binary) << input;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const auto open = [&](const std::wstring& path, DWORD access, DWORD disposition) {
        return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                           disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = open(inPath, GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = open(outPath, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = open(errPath, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    ProgramRun run{"", "", -1};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                       CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) run.status = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        run.err = "CreateProcessW failed";
    }
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError})
        CloseHandle(handle);
    run.out = slurp(outPath);
    if (run.status != -1) run.err = slurp(errPath);
    for (const std::wstring& path : {inPath, outPath, errPath}) DeleteFileW(path.c_str());
    return run;
}

}  // namespace quorvane::test
