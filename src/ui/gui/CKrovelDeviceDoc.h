// The one document of the run. It stores no data (the measurements are the
// process-wide data model); it only carries the title shown in the main window's
// caption, and the command rules that read the flags (see the command table).
#pragma once

#include <QObject>
#include <QString>

namespace krovel {

class CKrovelDeviceDoc : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A new document starts with an empty title.
    void OnNewDocument() { setTitle(QString()); }

    const QString& title() const { return title_; }
    void setTitle(const QString& title) {
        if (title == title_) return;
        title_ = title;
        emit titleChanged();
    }

signals:
    void titleChanged();

private:
    QString title_;
};

} // namespace krovel
