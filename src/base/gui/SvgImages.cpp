#include "base/gui/SvgImages.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include "base/core/CommandIds.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterKrovelQrc() {
    Q_INIT_RESOURCE(krovel);
}

namespace krovel {

void InitKrovelResources() {
    static const bool done = (RegisterKrovelQrc(), true);
    (void)done;
}

namespace {

QPixmap RenderWith(QSvgRenderer& renderer, const QSize& size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

// Icons are drawn at the normal density, and once more at the highest density of the
// screens when one is denser: drawing every icon twice at start-up costs the window a
// tenth of its start for screens that do not need it.
QIcon IconFrom(const QString& resource, std::initializer_list<QSize> sizes) {
    if (!QFile::exists(resource)) return {};
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) return {};
    const qreal dense = qApp ? qApp->devicePixelRatio() : 1.0;
    QIcon icon;
    for (const QSize& s : sizes) {
        icon.addPixmap(RenderWith(renderer, s, 1.0));
        if (dense > 1.0) icon.addPixmap(RenderWith(renderer, s, dense));
    }
    return icon;
}

// The toolbar images are named after what their button does.
const char* ToolbarImageName(int commandId) {
    switch (commandId) {
    case cmd::FileOpen:
        return "open";
    case cmd::Save:
        return "save";
    case cmd::SubjectSelect:
        return "subject";
    case cmd::ImportData:
        return "import";
    case cmd::Perform:
        return "perform";
    case cmd::AppendSet:
        return "append-set";
    case cmd::AppendSetNewSubject:
        return "append-set-new-subject";
    case cmd::DigitalReport:
        return "digital-report";
    case cmd::DiagnosticGraph:
        return "load-profile-graph";
    case cmd::ExerciseGraph:
        return "exercise-graph";
    case cmd::AxesSetup:
        return "axes-setup";
    case cmd::AppAbout:
        return "about";
    default:
        return nullptr;
    }
}

} // namespace

QPixmap RenderSvg(const QString& resource, const QSize& size, qreal dpr) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) return {};
    return RenderWith(renderer, size, dpr);
}

QIcon ToolbarIcon(int commandId) {
    const char* name = ToolbarImageName(commandId);
    if (!name) return {};
    return IconFrom(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)), {ToolbarImageSize});
}

QIcon ProgramIcon() {
    return IconFrom(QStringLiteral(":/images/krovel.svg"), {{16, 16}, {32, 32}, {48, 48}});
}

} // namespace krovel
