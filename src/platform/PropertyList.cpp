#include "platform/PropertyList.h"

#include <cstdint>
#include <string_view>

namespace keepgate::platform {

namespace {

// Nesting beyond this is refused so that a hostile document cannot exhaust the stack.
constexpr int kMaxDepth = 128;

struct Node {
    enum class Kind { String, Dictionary, Other } kind = Kind::Other;
    std::string text;
    std::map<std::string, std::string> strings;
};

struct StartTag {
    std::string name;
    bool empty = false; // written as <name/>
};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
}

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<std::map<std::string, std::string>> document() {
        if (!skipMisc()) {
            return std::nullopt;
        }
        StartTag tag;
        if (!startTag(tag)) {
            return std::nullopt;
        }
        Node root;
        if (tag.name == "plist") {
            // The <plist> wrapper holds exactly one value.
            if (tag.empty || !skipMisc() || !value(root, 0) || !skipMisc() || !endTag("plist")) {
                return std::nullopt;
            }
        } else if (!valueOf(tag, root, 0)) {
            return std::nullopt;
        }
        if (!skipMisc() || pos_ != text_.size() || root.kind != Node::Kind::Dictionary) {
            return std::nullopt;
        }
        return std::move(root.strings);
    }

  private:
    bool atEnd() const { return pos_ >= text_.size(); }
    bool lookingAt(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

    bool skipPast(std::string_view terminator) {
        const auto found = text_.find(terminator, pos_);
        if (found == std::string_view::npos) {
            return false;
        }
        pos_ = found + terminator.size();
        return true;
    }

    void skipSpace() {
        while (!atEnd() && isSpace(text_[pos_])) {
            ++pos_;
        }
    }

    // Skips blanks, the XML declaration, processing instructions, comments and the document type.
    bool skipMisc() {
        for (;;) {
            skipSpace();
            if (lookingAt("<?")) {
                if (!skipPast("?>")) {
                    return false;
                }
            } else if (lookingAt("<!--")) {
                if (!skipPast("-->")) {
                    return false;
                }
            } else if (lookingAt("<!DOCTYPE")) {
                if (!skipDoctype()) {
                    return false;
                }
            } else {
                return true;
            }
        }
    }

    bool skipDoctype() {
        int brackets = 0;
        char quote = 0;
        for (pos_ += 2; !atEnd(); ++pos_) {
            const char c = text_[pos_];
            if (quote) {
                quote = c == quote ? 0 : quote;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']') {
                --brackets;
            } else if (c == '>' && brackets <= 0) {
                ++pos_;
                return true;
            }
        }
        return false;
    }

    bool name(std::string& out) {
        const auto start = pos_;
        while (!atEnd() && isNameChar(text_[pos_])) {
            ++pos_;
        }
        out = std::string(text_.substr(start, pos_ - start));
        return !out.empty();
    }

    bool startTag(StartTag& tag) {
        if (!lookingAt("<") || lookingAt("</") || lookingAt("<!")) {
            return false;
        }
        ++pos_;
        if (!name(tag.name)) {
            return false;
        }
        for (;;) {
            const auto before = pos_;
            skipSpace();
            if (lookingAt("/>")) {
                pos_ += 2;
                tag.empty = true;
                return true;
            }
            if (lookingAt(">")) {
                ++pos_;
                return true;
            }
            // Attributes (the plist version) are read and ignored; each needs a blank before it.
            std::string attribute;
            if (pos_ == before || !name(attribute)) {
                return false;
            }
            skipSpace();
            if (!lookingAt("=")) {
                return false;
            }
            ++pos_;
            skipSpace();
            if (atEnd() || (text_[pos_] != '"' && text_[pos_] != '\'')) {
                return false;
            }
            const char quote = text_[pos_++];
            const auto close = text_.find(quote, pos_);
            if (close == std::string_view::npos) {
                return false;
            }
            pos_ = close + 1;
        }
    }

    bool endTag(const std::string& tagName) {
        if (!lookingAt("</")) {
            return false;
        }
        pos_ += 2;
        std::string closing;
        if (!name(closing) || closing != tagName) {
            return false;
        }
        skipSpace();
        if (!lookingAt(">")) {
            return false;
        }
        ++pos_;
        return true;
    }

    bool entity(std::string& out) {
        const auto semicolon = text_.find(';', pos_);
        if (semicolon == std::string_view::npos || semicolon - pos_ > 12) {
            return false;
        }
        const std::string_view ref = text_.substr(pos_ + 1, semicolon - pos_ - 1);
        pos_ = semicolon + 1;
        if (ref == "amp") {
            out += '&';
        } else if (ref == "lt") {
            out += '<';
        } else if (ref == "gt") {
            out += '>';
        } else if (ref == "quot") {
            out += '"';
        } else if (ref == "apos") {
            out += '\'';
        } else if (ref.size() > 1 && ref[0] == '#') {
            const bool hex = ref[1] == 'x';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty()) {
                return false;
            }
            std::uint32_t code = 0;
            for (const char c : digits) {
                int digit;
                if (c >= '0' && c <= '9') {
                    digit = c - '0';
                } else if (hex && c >= 'a' && c <= 'f') {
                    digit = c - 'a' + 10;
                } else if (hex && c >= 'A' && c <= 'F') {
                    digit = c - 'A' + 10;
                } else {
                    return false;
                }
                code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
                if (code > 0x10FFFF) {
                    return false;
                }
            }
            if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) {
                return false;
            }
            appendUtf8(out, code);
        } else {
            return false;
        }
        return true;
    }

    // The character data of an element up to and including its end tag; no child elements allowed.
    bool content(const std::string& tagName, std::string& out) {
        while (!atEnd()) {
            const char c = text_[pos_];
            if (c == '&') {
                if (!entity(out)) {
                    return false;
                }
            } else if (c == '<') {
                if (lookingAt("<![CDATA[")) {
                    const auto start = pos_ + 9;
                    const auto close = text_.find("]]>", start);
                    if (close == std::string_view::npos) {
                        return false;
                    }
                    out.append(text_.substr(start, close - start));
                    pos_ = close + 3;
                } else if (lookingAt("<!--")) {
                    if (!skipPast("-->")) {
                        return false;
                    }
                } else {
                    return endTag(tagName);
                }
            } else {
                out += c;
                ++pos_;
            }
        }
        return false;
    }

    bool value(Node& node, int depth) {
        StartTag tag;
        return startTag(tag) && valueOf(tag, node, depth);
    }

    bool valueOf(const StartTag& tag, Node& node, int depth) {
        if (depth > kMaxDepth) {
            return false;
        }
        const std::string& kind = tag.name;
        if (kind == "string") {
            node.kind = Node::Kind::String;
            return tag.empty || content(kind, node.text);
        }
        if (kind == "integer" || kind == "real" || kind == "date" || kind == "data") {
            std::string ignored;
            return tag.empty || content(kind, ignored);
        }
        if (kind == "true" || kind == "false") {
            return tag.empty || (skipMisc() && endTag(kind));
        }
        if (kind == "dict") {
            node.kind = Node::Kind::Dictionary;
            return tag.empty || dictionary(node, depth);
        }
        if (kind == "array") {
            return tag.empty || array(depth);
        }
        return false;
    }

    bool dictionary(Node& node, int depth) {
        for (;;) {
            if (!skipMisc()) {
                return false;
            }
            if (lookingAt("</")) {
                return endTag("dict");
            }
            StartTag keyTag;
            std::string key;
            if (!startTag(keyTag) || keyTag.name != "key" || (!keyTag.empty && !content("key", key))) {
                return false;
            }
            Node entry;
            if (!skipMisc() || !value(entry, depth + 1)) {
                return false;
            }
            // A later entry under the same key replaces the earlier one.
            if (entry.kind == Node::Kind::String) {
                node.strings[key] = std::move(entry.text);
            } else {
                node.strings.erase(key);
            }
        }
    }

    bool array(int depth) {
        for (;;) {
            if (!skipMisc()) {
                return false;
            }
            if (lookingAt("</")) {
                return endTag("array");
            }
            Node element;
            if (!value(element, depth + 1)) {
                return false;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<std::map<std::string, std::string>> parsePropertyListDictionary(const std::string& document) {
    return Parser(document).document();
}

} // namespace keepgate::platform
