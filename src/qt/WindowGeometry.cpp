#include "qt/WindowGeometry.h"

#include <QByteArray>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include "platform/DefaultsStore.h"
#include "platform/RecentFiles.h"

namespace keepgate::qt {

namespace {

class GeometryKeeper : public QObject {
  public:
    explicit GeometryKeeper(QWidget* window) : QObject(window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Close) {
            DefaultsStore& defaults = standardUserDefaults();
            defaults.setString(recent::kWindowGeometryKey, window_->saveGeometry().toBase64().toStdString());
            defaults.synchronize();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* window_;
};

} // namespace

void rememberGeometry(QWidget* window) {
    if (const auto stored = standardUserDefaults().stringForKey(recent::kWindowGeometryKey)) {
        // A value that is not a geometry (edited by hand, from another toolkit) leaves the default size.
        window->restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(*stored)));
    }
    window->installEventFilter(new GeometryKeeper(window));
}

} // namespace keepgate::qt
