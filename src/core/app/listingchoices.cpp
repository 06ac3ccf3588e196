#include "core/app/listingchoices.h"

#include <algorithm>

#include "core/calculators/listingfill.h"
#include "core/wizards/listingfill.h"

namespace quorvane::core {

namespace {

// A page's fill as a choice: the fields it fills (every one that holds a
// text, in the page's order) or what is missing.
template <typename Fields>
PageChoice choice(ListingPage page, std::string_view label, std::string_view key,
                  std::string_view command, TextFields<Fields> list, const PageFill<Fields>& fill) {
    PageChoice c{page, label, key, command, {}, fill.missing};
    if (fill.fields) {
        for (const TextField<Fields>& field : list)
            if (const std::string& text = (*fill.fields).*field.member; !text.empty())
                c.fields.emplace_back(field.name, text);
    } else if (c.missing.empty()) {
        c.missing = "the listing gives none of its values";
    }
    return c;
}

template <typename Fields>
void fill(Fields& page, TextFields<Fields> list, const PageChoice& c) {
    for (const auto& [name, text] : c.fields) {
        const auto field = std::find_if(list.begin(), list.end(),
                                        [&](const TextField<Fields>& f) { return f.name == name; });
        if (field != list.end()) page.*field->member = text;
    }
}

}  // namespace

std::vector<PageChoice> pageChoices(const CheckedDisk& disk, const ListedEntry& entry) {
    const ListingDisk& d = disk.listing;
    const ListingEntry& e = entry.listing;
    return {
        choice(ListingPage::Error110, "Use for Error 110", "error110", "error110",
               error110TextFields(), error110FromListing(e, d.geometry)),
        choice(ListingPage::Error108, "Use for Error 108", "error108", "error108",
               error108TextFields(), error108FromListing(e, d.geometry)),
        choice(ListingPage::Bogus113, "Use for Bogus 113", "bogus113", "bogus113",
               bogus113TextFields(), bogus113FromListing(d, e)),
        choice(ListingPage::Fat32Bbs, "Use for Fat32 bbs", "fat32bbs", "fat32-bbs",
               fat32BbsTextFields(), fat32BbsFromListing(d, e)),
        choice(ListingPage::NtfsBbs, "Use for NTFS bbs", "ntfsbbs", "ntfs-bbs",
               ntfsBbsTextFields(), ntfsBbsFromListing(d, e)),
        choice(ListingPage::DynRoot, "Use for DYN_ROOT", "dynroot", "dynroot",
               dynRootTextFields(), dynRootFromListing(d, e)),
    };
}

void usePageChoice(Workspace& w, const PageChoice& c) {
    switch (c.page) {
        case ListingPage::Error110: return fill(w.error110, error110TextFields(), c);
        case ListingPage::Error108: return fill(w.error108, error108TextFields(), c);
        case ListingPage::Bogus113: return fill(w.bogus113, bogus113TextFields(), c);
        case ListingPage::Fat32Bbs: return fill(w.fat32bbs, fat32BbsTextFields(), c);
        case ListingPage::NtfsBbs: return fill(w.ntfsbbs, ntfsBbsTextFields(), c);
        case ListingPage::DynRoot: return fill(w.dynroot, dynRootTextFields(), c);
    }
}

}  // namespace quorvane::core
