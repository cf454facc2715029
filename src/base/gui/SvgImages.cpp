#include "base/gui/SvgImages.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace krovel {

QPixmap RenderSvg(const QString& resource, const QSize& size, qreal dpr) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) return {};
    QPixmap pixmap(size * dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

namespace {

QIcon IconFrom(const QString& resource, std::initializer_list<QSize> sizes) {
    if (!QFile::exists(resource)) return {};
    QIcon icon;
    for (const QSize& s : sizes)
        for (qreal dpr : {1.0, 2.0}) {
            QPixmap p = RenderSvg(resource, s, dpr);
            if (p.isNull()) return {};
            icon.addPixmap(p);
        }
    return icon;
}

} // namespace

QIcon ToolbarIcon(int commandId) {
    return IconFrom(QStringLiteral(":/icons/%1.svg").arg(commandId), {ToolbarImageSize});
}

QIcon ProgramIcon() {
    return IconFrom(QStringLiteral(":/images/krovel.svg"), {{16, 16}, {32, 32}, {48, 48}});
}

} // namespace krovel
