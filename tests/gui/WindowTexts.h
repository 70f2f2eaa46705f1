#pragma once

#include <QStringList>

class QWidget;

namespace keepgate::testing {

// Every text a user reads in a window and its children: labels, buttons, placeholders, tabs, group
// titles, menu entries, pop-up entries and table headings, in a fixed order.
QStringList textsOf(QWidget* window);

} // namespace keepgate::testing
