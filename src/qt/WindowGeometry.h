#pragma once

class QWidget;

namespace keepgate::qt {

// Puts the window where it was when last closed (kept in the preferences store) and keeps its place
// again each time it closes.
void rememberGeometry(QWidget* window);

} // namespace keepgate::qt
