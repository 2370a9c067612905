#pragma once

#include <QIcon>
#include <QPixmap>

namespace tw {

// The program's icon, a blue letter Q, drawn at size x size pixels (16 is the tray size).
QPixmap drawBlueQ(int size);
// The blue Q at the sizes trays and window managers ask for; also the window icon.
QIcon blueQIcon();

} // namespace tw
