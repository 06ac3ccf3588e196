// Test doubles for the window: message boxes and program starts are
// recorded instead of shown or run.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/shell.h"
#include "core/base/outcome.h"
#include "core/workbench/batch.h"

namespace quorvane::test {

class RecordingDialogs : public core::Dialogs {
public:
    core::Answer show(const core::Message& message) override {
        shown.push_back(message);
        return answer;
    }
    std::vector<core::Message> shown;
    core::Answer answer = core::Answer::Ok;
};

// A file dialog that gives `path` (nothing: cancelled) and counts its
// showings.
class RecordingFileChooser : public core::FileChooser {
public:
    std::optional<std::string> chooseFile(std::string_view title) override {
        titles.emplace_back(title);
        return path;
    }
    std::optional<std::string> path;
    std::vector<std::string> titles;
};

class RecordingLauncher : public core::Launcher {
public:
    Result start(std::string_view program) override {
        started.emplace_back(program);
        return result;
    }
    Result open(std::string_view path) override {
        opened.emplace_back(path);
        return openResult;
    }
    std::vector<std::string> started;
    Result result;
    std::vector<std::string> opened;
    Result openResult;
};

// A batch file kept in memory: `files` holds the bytes of each path
// written, `failNext` makes the next operation fail with that reason.
class RecordingBatchFile : public core::BatchFile {
public:
    Failure create(const std::string& path) override {
        if (auto failure = take()) return failure;
        path_ = path;
        files[path].clear();
        open_ = true;
        return std::nullopt;
    }
    Failure writeLine(std::string_view line) override {
        if (!open_) return std::string("not open");
        if (auto failure = take()) return failure;
        files[path_] += std::string(line) + "\r\n";
        return std::nullopt;
    }
    Failure close() override {
        const bool wasOpen = open_;
        open_ = false;
        if (auto failure = take()) return failure;
        return wasOpen ? std::nullopt : Failure("not open");
    }
    bool isOpen() const override { return open_; }

    std::map<std::string, std::string> files;
    Failure failNext;

private:
    Failure take() { return std::exchange(failNext, std::nullopt); }
    std::string path_;
    bool open_ = false;
};

class FixedClock : public core::Clock {
public:
    std::string shortDate() override { return date; }
    std::string date = "07/12/2026";
};

}  // namespace quorvane::test
