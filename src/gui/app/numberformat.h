// The user's number format as the desktop's locale gives it.
#pragma once

#include <QLocale>

#include "core/base/numeric.h"

namespace quorvane::gui {

core::NumberFormat numberFormat(const QLocale& locale = QLocale::system());

}  // namespace quorvane::gui
