// The pictures README.md and the AppStream file show are committed PNGs, so neither document points at a
// missing or broken file once a scene is renamed or dropped from `make screenshots`.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace {

const std::string kSourceRoot = std::string(KEEPGATE_TEST_SOURCE_DIR) + "/..";

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> matches(const std::string& text, const std::regex& pattern, int group) {
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator();
         ++it) {
        found.push_back((*it)[group].str());
    }
    return found;
}

void expectPng(const std::string& path) {
    const std::string bytes = readAll(kSourceRoot + "/" + path);
    ASSERT_FALSE(bytes.empty()) << path << " is missing or empty";
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8)) << path << " is not a PNG";
}

TEST(DocumentationPictures, TheReadmeImagesArePngsAtTheirLinkedPaths) {
    const auto images =
        matches(readAll(kSourceRoot + "/README.md"), std::regex(R"(!\[[^\]]*\]\(([^)]+)\))"), 1);
    ASSERT_FALSE(images.empty()) << "README.md shows no picture";
    for (const auto& image : images) {
        EXPECT_EQ(image.rfind("data/screenshots/", 0), 0u) << image << " is not among the committed pictures";
        expectPng(image);
    }
}

TEST(DocumentationPictures, EachAppStreamScreenshotHasACaptionAndACommittedPicture) {
    const std::string metainfo = readAll(kSourceRoot + "/data/org.keepgate.Keepgate.metainfo.xml");
    const auto screenshots = matches(metainfo, std::regex(R"(<screenshot[ >][\s\S]*?</screenshot>)"), 0);
    ASSERT_GE(screenshots.size(), 3u);
    int defaults = 0;
    for (const auto& screenshot : screenshots) {
        SCOPED_TRACE(screenshot);
        defaults += screenshot.find("<screenshot type=\"default\">") == 0 ? 1 : 0;
        EXPECT_EQ(matches(screenshot, std::regex(R"(<caption>[^<]+</caption>)"), 0).size(), 1u);
        const auto images = matches(
            screenshot, std::regex(R"(<image>https://[^<]*/screenshots/([a-z0-9-]+\.png)</image>)"), 1);
        ASSERT_EQ(images.size(), 1u);
        expectPng("data/screenshots/" + images.front());
    }
    EXPECT_EQ(defaults, 1);
}

} // namespace
