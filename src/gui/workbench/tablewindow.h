// The list of a partition table read from a saved disk image: every entry
// with its table sector, slot, type, CHS values, start, count and the
// checks that failed, the geometry used, and the findings across entries.
// "Use entry" hands the chosen entry's fields to the window that opened it.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/workbench/tablecheck.h"

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace quorvane::gui {

class TableWindow : public QDialog {
    Q_OBJECT
public:
    // What "Use entry" does with the chosen entry's fields.
    using UseEntry = std::function<void(const core::GeometryFields&)>;

    // `reading` is the table of the image at `path`, read without an error.
    TableWindow(const std::string& path, core::TableReading reading, UseEntry use,
                QWidget* parent);

    QTreeWidget* entryList() const { return entries_; }

private:
    void useCurrentEntry();
    // Sizes the list to show every column whole and a few rows.
    void fitList();

    core::TableReading reading_;
    UseEntry use_;
    QTreeWidget* entries_ = nullptr;
    QPlainTextEdit* findings_ = nullptr;
    QPushButton* useButton_ = nullptr;
};

}  // namespace quorvane::gui
