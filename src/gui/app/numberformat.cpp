#include "gui/app/numberformat.h"

namespace quorvane::gui {

core::NumberFormat numberFormat(const QLocale& locale) {
    core::NumberFormat format;
    format.decimal = locale.decimalPoint().toStdString();
    format.group = (locale.numberOptions() & QLocale::OmitGroupSeparator)
                       ? std::string()
                       : locale.groupSeparator().toStdString();
    return format;
}

}  // namespace quorvane::gui
