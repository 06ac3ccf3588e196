// Test doubles for the window: message boxes and program starts are
// recorded instead of shown or run.
#pragma once

#include <string>
#include <vector>

#include "core/app/outcome.h"
#include "core/app/shell.h"

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

class RecordingLauncher : public core::Launcher {
public:
    Result start(std::string_view program) override {
        started.emplace_back(program);
        return result;
    }
    std::vector<std::string> started;
    Result result;
};

}  // namespace quorvane::test
