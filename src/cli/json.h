// A small JSON writer for quorvane-cli's --json output: objects, arrays,
// texts, whole numbers, true, false and null, written in order as compact
// text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvane::cli {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The key of the next member of the object being written.
    JsonWriter& key(std::string_view name);
    JsonWriter& text(std::string_view value);
    JsonWriter& number(std::uint64_t value);
    JsonWriter& boolean(bool value);
    JsonWriter& null();

    // The text written since the last take, handed over: a long document
    // can go out in parts.
    std::string take() { return std::exchange(out_, {}); }

private:
    void beforeValue();

    std::string out_;
    // For each open object or array: whether it holds a member yet.
    std::vector<bool> filled_;
    bool afterKey_ = false;
};

// A text as a JSON string with its quotes: quotes, backslashes and control
// characters escaped, UTF-8 passed through, and each byte that is not part
// of valid UTF-8 given as U+FFFD so that the output stays valid.
std::string jsonString(std::string_view text);
// The same, appended to `out`.
void appendJsonString(std::string& out, std::string_view text);

}  // namespace quorvane::cli
