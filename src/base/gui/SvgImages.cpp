#include "base/gui/SvgImages.h"

#include <QFile>
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

QIcon ToolbarIcon(int commandId) {
    const char* name = ToolbarImageName(commandId);
    if (!name) return {};
    return IconFrom(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)), {ToolbarImageSize});
}

QIcon ProgramIcon() {
    return IconFrom(QStringLiteral(":/images/krovel.svg"), {{16, 16}, {32, 32}, {48, 48}});
}

} // namespace krovel
