#include "cli/json.h"

#include "core/base/characters.h"

namespace quorvane::cli {

void appendJsonString(std::string& out, std::string_view text) {
    constexpr char hex[] = "0123456789abcdef";
    const auto plain = [](unsigned char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; };
    out += '"';
    while (!text.empty()) {
        // A run of printable ASCII goes over as it is.
        std::size_t run = 0;
        while (run < text.size() && plain(static_cast<unsigned char>(text[run]))) ++run;
        out.append(text.substr(0, run));
        text.remove_prefix(run);
        if (text.empty()) break;
        const unsigned char c = static_cast<unsigned char>(text.front());
        char32_t code = 0;
        const std::size_t length = core::utf8Sequence(text, 0, code);
        if (length == 0) {
            out += "\\ufffd";
            text.remove_prefix(1);
            continue;
        }
        if (length > 1) {
            out += text.substr(0, length);
        } else if (c == '"' || c == '\\') {
            (out += '\\') += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            ((out += "\\u00") += hex[c >> 4]) += hex[c & 0x0F];
        }
        text.remove_prefix(length);
    }
    out += '"';
}

std::string jsonString(std::string_view text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!filled_.empty()) {
        if (filled_.back()) out_ += ',';
        filled_.back() = true;
    }
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    filled_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    filled_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    appendJsonString(out_, name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::text(std::string_view value) {
    beforeValue();
    appendJsonString(out_, value);
    return *this;
}

JsonWriter& JsonWriter::number(std::uint64_t value) {
    beforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::boolean(bool value) {
    beforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    beforeValue();
    out_ += "null";
    return *this;
}

}  // namespace quorvane::cli
