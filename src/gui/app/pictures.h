#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>

#include "gui/widgets/command_id.h"

// The program's own pictures, drawn in code: tool button icons, the three logos of the tool
// bar, the splash and About pictures and the program icon.
namespace pictures {

// The icon of a command's tool button; an empty icon for a command without one.
QIcon commandIcon(CommandId id);
// Tool bar logo 0, 1 or 2 (41 x 33).
QPixmap toolBarLogo(int which);
// The wide picture of the splash window (472 x 272).
QPixmap splashPicture();
// The small logo of the splash and About windows (57 x 49).
QPixmap smallLogo();
QIcon programIcon();

}  // namespace pictures
