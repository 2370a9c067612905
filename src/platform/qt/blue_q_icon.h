#pragma once

#include <QIcon>
#include <QPixmap>

namespace tw {

// The program's icon, a blue letter Q, drawn at size x size pixels (16 is the tray size).
QPixmap drawBlueQ(int size);
// The blue Q at the sizes trays and window managers ask for.
QIcon blueQIcon();
// The window's and the tray's icon: the installed icon theme's picture of the program's name
// (drawn by drawBlueQ too), so the desktop knows it by that name; the drawn blue Q where
// the program is not installed.
QIcon programIcon();

} // namespace tw
