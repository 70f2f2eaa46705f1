#include "qt/TablePlaceholder.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QEvent>
#include <QLabel>

namespace keepgate::qt {

TablePlaceholder::TablePlaceholder(QAbstractItemView* view, std::function<QString()> text)
    : QObject(view), model_(view->model()), label_(new QLabel(view->viewport())), text_(std::move(text)) {
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    label_->setEnabled(false); // drawn greyed, as advice rather than content
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->viewport()->installEventFilter(this);
    if (QAbstractItemModel* model = model_) {
        connect(model, &QAbstractItemModel::modelReset, this, &TablePlaceholder::update);
        connect(model, &QAbstractItemModel::layoutChanged, this, &TablePlaceholder::update);
        connect(model, &QAbstractItemModel::rowsInserted, this, &TablePlaceholder::update);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &TablePlaceholder::update);
    }
    update();
}

void TablePlaceholder::update() {
    if (!label_) {
        return;
    }
    const QString text = text_ ? text_() : QString();
    const bool empty = !model_ || model_->rowCount() == 0;
    label_->setText(text);
    label_->setGeometry(label_->parentWidget()->rect());
    label_->setVisible(empty && !text.isEmpty());
}

bool TablePlaceholder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && label_ && watched == label_->parentWidget()) {
        label_->setGeometry(label_->parentWidget()->rect());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace keepgate::qt
