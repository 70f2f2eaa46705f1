#include "qt/ChoiceDelegate.h"

#include <QComboBox>

namespace keepgate::qt {

QWidget* ChoiceDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex&) const {
    auto* combo = new QComboBox(parent);
    combo->addItems(choices_);
    // A pick ends the edit at once, so one choice is one stored value.
    connect(combo, &QComboBox::activated, this, [this, combo] {
        auto* self = const_cast<ChoiceDelegate*>(this);
        emit self->commitData(combo);
        emit self->closeEditor(combo);
    });
    return combo;
}

void ChoiceDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo) {
        return;
    }
    const int found = combo->findText(index.data(Qt::EditRole).toString(), Qt::MatchExactly);
    combo->setCurrentIndex(found >= 0 ? found : 0);
}

void ChoiceDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
    }
}

} // namespace keepgate::qt
