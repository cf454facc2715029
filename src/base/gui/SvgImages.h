// The program's compiled-in resources (toolbar images, pictures, sounds) and its SVG
// pictures rendered to pixmaps and icons.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace krovel {

// The resources live in a static library, so the program registers them explicitly
// before first use; safe to call more than once.
void InitKrovelResources();

// The SVG resource rendered at the given logical size (null when it cannot be read).
QPixmap RenderSvg(const QString& resource, const QSize& size, qreal devicePixelRatio = 1.0);

// Size of the toolbar button images.
inline constexpr QSize ToolbarImageSize(19, 17);

// The toolbar image of a command (":/icons/<what it does>.svg"); a null icon when the
// command has none.
QIcon ToolbarIcon(int commandId);

// The program's window icon.
QIcon ProgramIcon();

} // namespace krovel
