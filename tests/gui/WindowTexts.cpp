#include "WindowTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>

namespace keepgate::testing {

QStringList textsOf(QWidget* window) {
    QStringList texts = {window->windowTitle()};
    for (auto* label : window->findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QTabBar*>(button->parentWidget())) {
            texts << button->text();
        }
    }
    for (auto* field : window->findChildren<QLineEdit*>()) {
        texts << field->placeholderText();
    }
    for (auto* tabs : window->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            texts << tabs->tabText(i);
        }
    }
    for (auto* box : window->findChildren<QGroupBox*>()) {
        texts << box->title();
    }
    for (auto* menu : window->findChildren<QMenu*>()) {
        texts << menu->title();
        for (QAction* action : menu->actions()) {
            texts << action->text();
        }
    }
    for (auto* combo : window->findChildren<QComboBox*>()) {
        for (int i = 0; i < combo->count(); ++i) {
            texts << combo->itemText(i);
        }
    }
    for (auto* view : window->findChildren<QAbstractItemView*>()) {
        if (QAbstractItemModel* model = view->model()) {
            for (int column = 0; column < model->columnCount(); ++column) {
                texts << model->headerData(column, Qt::Horizontal).toString();
            }
        }
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace keepgate::testing
