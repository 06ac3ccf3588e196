#include "platform/clock_qt.h"

#include <QDate>
#include <QLocale>

namespace quorvane::platform {

std::string QtClock::shortDate() {
    // The batch file is in the system's 8-bit encoding, as the command
    // interpreter reads it.
    return QLocale::system()
        .toString(QDate::currentDate(), QLocale::ShortFormat)
        .toLocal8Bit()
        .toStdString();
}

}  // namespace quorvane::platform
