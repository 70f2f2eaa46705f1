#pragma once

#include <QLocale>
#include <QString>
#include <string>

namespace keepgate::qt {

// The core's English message as the user's language says it: a text the core filled from a marked
// template is shown as that template's translation with its arguments (themselves translated when
// they are messages) put back in; any other text is looked up whole, then line by line; what has no
// translation is shown as it is. With no translator installed this is the English text.
QString translatedMessage(const std::string& english);

// The folder of the application's .qm files, found beside the executable the way other resources are
// (installed: <prefix>/share/keepgate/translations; build tree: resources/translations); empty if none.
QString translationsFolder(const std::string& executableDirectory);

// Installs Keepgate's translation for `locale` and Qt's own (qtbase, for the standard buttons and
// panels) when they exist; English needs none. Returns whether Keepgate's own was found. Calling it
// again replaces the translators it installed before.
bool installTranslations(const QLocale& locale, const std::string& executableDirectory);
// Removes the translators installed above, so the windows speak English again.
void removeTranslations();

} // namespace keepgate::qt
