#include "cli/json.h"

namespace quorvane::cli {

namespace {

// The length of the valid UTF-8 sequence at the start of `text`, or 0.
std::size_t utf8Length(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned minimum = 0;
    unsigned code = 0;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) length = 2, minimum = 0x80, code = lead & 0x1Fu;
    else if (lead >= 0xE0 && lead <= 0xEF) length = 3, minimum = 0x800, code = lead & 0x0Fu;
    else if (lead >= 0xF0 && lead <= 0xF4) length = 4, minimum = 0x10000, code = lead & 0x07u;
    else return 0;
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(i) & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

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
        const std::size_t length = utf8Length(text);
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
