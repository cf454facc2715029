// Pictures of the program drawn as SVG resources, rendered to pixmaps and icons.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace krovel {

// The SVG resource rendered at the given logical size (null when it cannot be read).
QPixmap RenderSvg(const QString& resource, const QSize& size, qreal devicePixelRatio = 1.0);

// Size of the toolbar button images.
inline constexpr QSize ToolbarImageSize(19, 17);

// The toolbar image of a command (":/icons/<id>.svg"); a null icon when missing.
QIcon ToolbarIcon(int commandId);

// The program's window icon.
QIcon ProgramIcon();

} // namespace krovel
