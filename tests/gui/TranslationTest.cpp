#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QTranslator>
#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "platform/DefaultsStore.h"
#include "qt/AboutDialog.h"
#include "qt/ApplicationWindows.h"
#include "qt/QtWindowSystem.h"
#include "support/TestSupport.h"

namespace keepgate::testing {
namespace {

// Marks every text it is asked for, so a text that reaches the screen unmarked never went through tr().
class MarkingTranslator : public QTranslator {
  public:
    QString translate(const char*, const char* source, const char*, int) const override {
        return QStringLiteral("‹") + QString::fromUtf8(source) + QStringLiteral("›");
    }
    bool isEmpty() const override { return false; }
};

bool marked(const QString& text) {
    return text.startsWith(QStringLiteral("‹")) && text.endsWith(QStringLiteral("›"));
}

// Every text a user reads in a window and its children: labels, buttons, placeholders, tabs, group
// titles, menu entries and table headings.
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

TEST(TranslationTest, EveryTextOfTheWindowsGoesThroughTheTranslator) {
    ensureQtApplication();
    ui::setWindowSystem(std::make_shared<headless::WindowSystem>());
    setStandardUserDefaults(std::make_shared<MemoryDefaultsStore>());
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    {
        qt::QtWindowSystem windowSystem;
        qt::ApplicationWindows windows(&windowSystem);
        qt::AboutDialog about(&windows.main);
        windows.main.showHistory();
        // Sample paths that only show what a field expects are not prose, and neither is the name.
        const QStringList notProse = {QStringLiteral(".htaccess"),
                                      QStringLiteral("/Library/WebServer/keepgate.conf"),
                                      QStringLiteral("<h2>Keepgate</h2>")};
        int checked = 0;
        for (QWidget* window : std::initializer_list<QWidget*>{&windows.main, &windows.preferences, &about}) {
            for (const QString& text : textsOf(window)) {
                if (notProse.contains(text) || text.startsWith(QStringLiteral("<a href"))) {
                    continue;
                }
                EXPECT_TRUE(marked(text)) << text.toStdString();
                ++checked;
            }
        }
        EXPECT_GT(checked, 60) << "the windows' texts were not found";
    }
    QCoreApplication::removeTranslator(&translator);
    setStandardUserDefaults(nullptr);
    ui::setWindowSystem(nullptr);
}

} // namespace
} // namespace keepgate::testing
