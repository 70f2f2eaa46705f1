#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace keepgate::qt {

// A column of a table: its identifier (the record key it shows), its title, and how its cells are edited.
// A column becomes a check-box column when the controller installs a check-box cell in it.
struct TableColumn {
    enum class Editing { None, Text, Choice };
    TableColumn(std::string identifier, QString title, Editing editing = Editing::None,
                QStringList choices = {})
        : identifier(std::move(identifier)), title(std::move(title)), editing(editing),
          choices(std::move(choices)) {}
    std::string identifier;
    QString title;
    Editing editing = Editing::None;
    QStringList choices; // the texts a Choice column offers
    // The cells hold the core's own texts (not names from files), shown translated and edited never.
    bool showsMessages = false;
};

} // namespace keepgate::qt
