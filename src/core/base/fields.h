// A page's text fields described as data, so that the window and
// quorvane-cli copy them the same way: by the control's name.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvane::core {

// A text field of a page's struct and the control it stands for.
template <typename Fields>
struct TextField {
    std::string_view name;  // the control's name (also the CLI option)
    std::string Fields::*member;
};

template <typename Fields>
using TextFields = std::span<const TextField<Fields>>;

// A page's fields filled from what the person holds (an entry of a listing,
// its volume's boot record), or why they cannot be: the value that is
// missing, named as the source names it.
template <typename Fields>
struct PageFill {
    std::optional<Fields> fields;
    std::string missing;  // empty when `fields` holds the page's values
};

}  // namespace quorvane::core
