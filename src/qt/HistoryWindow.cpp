#include "qt/HistoryWindow.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "qt/QtString.h"

namespace keepgate::qt {

namespace {

// The difference pane: read-only text in a fixed-width font, since a diff lines up by columns.
class DiffText : public ui::TextField {
  public:
    explicit DiffText(QPlainTextEdit* edit) : edit_(edit) {}
    std::string stringValue() const override { return fromQString(edit_->toPlainText()); }
    void setStringValue(const std::string& text) override { edit_->setPlainText(toQString(text)); }
    bool isEditable() const override { return false; }
    void setEditable(bool) override {}
    void selectText() override {}

  private:
    QPlainTextEdit* edit_;
};

} // namespace

HistoryWindow::HistoryWindow(HistoryController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
    setObjectName(QStringLiteral("historyWindow"));
    setWindowTitle(tr("History"));
    // The names of changes made in this session and the damage notes are messages the core filled.
    TableColumn actionColumn{"action", tr("Change")};
    actionColumn.showsMessages = true;
    entriesView = std::make_unique<QtTableView>(
        std::vector<TableColumn>{{"time", tr("Time")}, actionColumn, {"file", tr("File")}});
    QTableView* table = entriesView->widget();
    table->setObjectName(QStringLiteral("historyEntries"));
    table->setAccessibleName(tr("Changes, newest first"));
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, 150);
    table->setColumnWidth(1, 280);
    diffText = new QPlainTextEdit;
    diffText->setObjectName(QStringLiteral("historyDiff"));
    diffText->setReadOnly(true);
    diffText->setLineWrapMode(QPlainTextEdit::NoWrap);
    diffText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    diffText->setAccessibleName(tr("Difference the selected change made"));
    auto* notice = new QLabel;
    notice->setObjectName(QStringLiteral("historyNotice"));
    notice->setWordWrap(true);
    auto* restore = new QPushButton(tr("&Restore"));
    restore->setObjectName(QStringLiteral("historyRestore"));
    restore->setAccessibleName(tr("Restore the file as it was before the selected change"));
    restore->setEnabled(false);
    auto* close = new QPushButton(tr("Close"));
    close->setAccessibleName(tr("Close the history"));

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(table);
    splitter->addWidget(diffText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(notice);
    layout->addWidget(splitter, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(restore);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    diffField = std::make_unique<DiffText>(diffText);
    noticeField = std::make_unique<QtLabelField>(notice);
    restoreButton = std::make_unique<QtButton>(restore);
    controller_.entriesView = entriesView.get();
    controller_.diffField = diffField.get();
    controller_.noticeField = noticeField.get();
    controller_.restoreButton = restoreButton.get();
    entriesView->setDataSource(&controller_);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { controller_.selectionChanged(); });
    connect(restore, &QPushButton::clicked, this, [this] { controller_.restoreSelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    resize(760, 520);
}

HistoryWindow::~HistoryWindow() {
    // The controller outlives the window; it must not reach widgets that are gone.
    controller_.entriesView = nullptr;
    controller_.diffField = nullptr;
    controller_.noticeField = nullptr;
    controller_.restoreButton = nullptr;
    entriesView->setDataSource(nullptr);
}

void HistoryWindow::showHistory() {
    controller_.reload();
    show();
    raise();
    activateWindow();
}

} // namespace keepgate::qt
