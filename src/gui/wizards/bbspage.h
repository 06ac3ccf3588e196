// The "NTFS bbs" and "Fat32 bbs" pages: where a partition's backup boot
// sector lies and how Patch copies it over the damaged boot sector. One
// class serves both pages; their frames, texts, fields and operations are
// data (see bbspage.cpp).
#pragma once

#include <functional>

#include "gui/app/workspacepage.h"

class QPushButton;

namespace quorvane::gui {

class BbsPage : public WorkspacePage {
    Q_OBJECT
public:
    static BbsPage* ntfs(Performer perform, QWidget* parent = nullptr);
    static BbsPage* fat32(Performer perform, QWidget* parent = nullptr);

    void store(core::Workspace& workspace) const override;
    void load(const core::Workspace& workspace) override;

    // Top to bottom in the controls frame; the object names are the pages'
    // own ("ntfswiz", "Command2", ... on "NTFS bbs").
    QPushButton* calculate;  // "Calculate " (NTFS) or "Calculate" (FAT32)
    QPushButton* clear;      // "Clear form"
    QPushButton* info;       // "Display info"

private:
    struct Layout;
    BbsPage(Performer perform, const Layout& layout, QWidget* parent);

    // Copies the text fields of `table` between the page and `page` of the
    // workspace.
    template <typename Fields>
    void copyFields(core::TextFields<Fields> table, Fields core::Workspace::*page) {
        store_ = [this, table, page](core::Workspace& w) { storeTexts(table, w.*page); };
        load_ = [this, table, page](const core::Workspace& w) { loadTexts(table, w.*page); };
    }

    std::function<void(core::Workspace&)> store_;
    std::function<void(const core::Workspace&)> load_;
};

}  // namespace quorvane::gui
