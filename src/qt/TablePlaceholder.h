#pragma once

#include <QAbstractItemModel>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAbstractItemView;

namespace keepgate::qt {

// A line of advice shown over an item view while it has no rows: what to do to fill it. The text comes
// from a function, so it can follow the state of the editor; an empty text shows nothing.
class TablePlaceholder : public QObject {
    Q_OBJECT
  public:
    TablePlaceholder(QAbstractItemView* view, std::function<QString()> text);

    // Shows or hides the advice for the view's current rows and the text function's answer.
    void update();
    QLabel* label() const { return label_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The view itself is never reached after construction, so that nothing here touches it while it is
    // being destroyed; its model and viewport (the label's parent) are what the advice depends on.
    QPointer<QAbstractItemModel> model_;
    QPointer<QLabel> label_;
    std::function<QString()> text_;
};

} // namespace keepgate::qt
