#include "qt/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "platform/Messages.h"
#include "platform/ResourcePaths.h"
#include "qt/QtString.h"

namespace keepgate::qt {

namespace {

// The context that every core message is marked with.
constexpr const char* kMessages = "Messages";

QString lookup(const std::string& english) {
    return QCoreApplication::translate(kMessages, english.c_str());
}

// Nested fills are a handful deep at most; the bound only guards against a pathological argument.
QString translated(const std::string& english, int depth) {
    if (english.empty() || depth > 8) {
        return toQString(english);
    }
    if (const auto filled = text::filledMessage(english)) {
        const QString pattern = lookup(filled->pattern);
        std::vector<std::string> arguments;
        arguments.reserve(filled->arguments.size());
        for (const std::string& argument : filled->arguments) {
            arguments.push_back(fromQString(translated(argument, depth + 1)));
        }
        return toQString(text::fillWith(fromQString(pattern), arguments));
    }
    const QString whole = lookup(english);
    if (whole != toQString(english) || english.find('\n') == std::string::npos) {
        return whole;
    }
    // Lists of findings and joined paragraphs are translated one line at a time.
    QStringList lines;
    std::size_t start = 0;
    while (start <= english.size()) {
        const std::size_t end = std::min(english.find('\n', start), english.size());
        lines << translated(english.substr(start, end - start), depth + 1);
        start = end + 1;
    }
    return lines.join(QLatin1Char('\n'));
}

std::vector<std::unique_ptr<QTranslator>>& installed() {
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

} // namespace

QString translatedMessage(const std::string& english) {
    return translated(english, 0);
}

QString translationsFolder(const std::string& executableDirectory) {
    for (const std::string& folder : platform::resourceFolders(executableDirectory)) {
        const QDir candidate(toQString(folder + "/translations"));
        if (candidate.exists()) {
            return candidate.canonicalPath();
        }
    }
    return {};
}

void removeTranslations() {
    for (auto& translator : installed()) {
        QCoreApplication::removeTranslator(translator.get());
    }
    installed().clear();
}

bool installTranslations(const QLocale& locale, const std::string& executableDirectory) {
    removeTranslations();
    const auto add = [&locale](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (folder.isEmpty() || !translator->load(locale, name, QStringLiteral("_"), folder)) {
            return false;
        }
        QCoreApplication::installTranslator(translator.get());
        installed().push_back(std::move(translator));
        return true;
    };
    add(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return add(QStringLiteral("keepgate"), translationsFolder(executableDirectory));
}

} // namespace keepgate::qt
