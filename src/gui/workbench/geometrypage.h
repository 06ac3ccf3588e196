// The "Geometry" page: one partition table entry, its drive geometry, the
// conversion buttons and the general buttons.
#pragma once

#include <QWidget>

#include "core/workbench/geometry.h"

class QPushButton;
class QRadioButton;

namespace quorvane::gui {

class GeometryPage : public QWidget {
    Q_OBJECT
public:
    explicit GeometryPage(QWidget* parent = nullptr);

    // Copies the widgets' texts into `fields`, and back.
    void store(core::GeometryFields& fields) const;
    void load(const core::GeometryFields& fields);

    // Buttons of the "Controls" group.
    QPushButton* begin;
    QPushButton* beLBATOCHS;
    QPushButton* eCHS2eLBA;
    QPushButton* ptCHS2LBA;
    // Buttons of the "General " group.
    QPushButton* info;
    QPushButton* clear;
    QPushButton* Command1;

private:
    // The text fields are found by their control names (see
    // core::geometryTextFields()); only the option button is kept here.
    QRadioButton* Optact;
};

}  // namespace quorvane::gui
