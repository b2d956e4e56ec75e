// Icon 128, the program's icon (window, about box).
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tb::ui {

QPixmap ProgramIconPixmap(int size);
QIcon ProgramIcon();

}  // namespace tb::ui
