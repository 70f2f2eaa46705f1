#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace keepgate {

// The sections around a directive, outermost first: {"Directory", "/var/www"}, {"VirtualHost", "*:80"}.
// Directives share the sections they have in common, so a configuration of many nested sections costs
// memory in proportion to its length, not to the square of its depth.
class ConfigSections {
  public:
    using value_type = std::pair<std::string, std::string>;

    ConfigSections() = default;
    ConfigSections(const std::vector<value_type>& sections); // NOLINT: a list converts as it reads

    bool empty() const { return !innermost_; }
    std::size_t size() const { return innermost_ ? innermost_->depth : 0; }
    // The section at `index`, counted from the outermost.
    const value_type& operator[](std::size_t index) const;
    const value_type& back() const { return innermost_->section; }
    // These sections with one more opened inside them; a <VirtualHost> passes its number on to what it holds.
    ConfigSections opened(value_type section, int virtualHost = 0) const;
    // The number of the innermost <VirtualHost> around these sections, 0 outside every one.
    int virtualHost() const { return innermost_ ? innermost_->virtualHost : 0; }
    // These sections without the innermost one.
    ConfigSections enclosing() const;
    std::vector<value_type> list() const;

  private:
    struct Node {
        value_type section;
        std::shared_ptr<Node> parent;
        std::size_t depth = 0;
        int virtualHost = 0;
        // Unlinks a long chain one node at a time, so dropping it never recurses once per section.
        ~Node();
    };

  public:
    // From the outermost section in: the chain is gathered once when the walk begins.
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ConfigSections::value_type;
        using difference_type = std::ptrdiff_t;
        using pointer = const value_type*;
        using reference = const value_type&;
        reference operator*() const { return *(*chain_)[index_]; }
        pointer operator->() const { return (*chain_)[index_]; }
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        const_iterator operator++(int) {
            auto before = *this;
            ++index_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

      private:
        friend class ConfigSections;
        std::shared_ptr<const std::vector<pointer>> chain_;
        std::size_t index_ = 0;
    };
    // From the innermost section out, following the links.
    class const_reverse_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = ConfigSections::value_type;
        using difference_type = std::ptrdiff_t;
        using pointer = const value_type*;
        using reference = const value_type&;
        reference operator*() const { return node_->section; }
        pointer operator->() const { return &node_->section; }
        const_reverse_iterator& operator++() {
            node_ = node_->parent.get();
            return *this;
        }
        const_reverse_iterator operator++(int) {
            auto before = *this;
            node_ = node_->parent.get();
            return before;
        }
        bool operator==(const const_reverse_iterator& other) const { return node_ == other.node_; }

      private:
        friend class ConfigSections;
        const Node* node_ = nullptr;
    };

    const_iterator begin() const;
    const_iterator end() const;
    const_reverse_iterator rbegin() const;
    const_reverse_iterator rend() const { return {}; }

  private:
    std::shared_ptr<Node> innermost_;
};

// One directive of the server's configuration as Apache reads it, with the sections around it.
struct ConfigDirective {
    std::string name;                   // as written ("AllowOverride", "Include", "DocumentRoot")
    std::vector<std::string> arguments; // split at blanks the way Apache does, quotes removed
    std::string file;                   // the file it stands in
    int line = 0;                       // its line number there, from 1
    // The enclosing sections, outermost first: {"Directory", "/var/www"}, {"VirtualHost", "*:80"}.
    ConfigSections sections;
    // Which <VirtualHost> section it stands in, numbered from 1 in reading order; 0 outside every one.
    // Two sections with the same addresses are two hosts, so their directives never run together.
    int virtualHost = 0;
};

struct ApacheConfigText {
    std::vector<ConfigDirective> directives; // in the order Apache reads them, includes expanded
    std::vector<std::string> problems;       // one sentence per included file that could not be read
    // Why the reading stopped before the end, as Apache stops (an include nested too deeply or including
    // itself, a configuration too large, a file that is not text); empty when all of it was read. The
    // sentence is also the last of `problems`.
    std::string error;
};

// Limits on what one reading of the configuration takes in: the bytes of all files read together, and
// how many files are read.
inline constexpr std::uint64_t kConfigurationSizeLimit = 64ull * 1024 * 1024;
inline constexpr std::size_t kConfigurationFileLimit = 10000;

// Reads the main configuration and the files it includes (Include, IncludeOptional, globs, paths relative
// to the server root), expanding ${VAR} from `variables` (the distribution's environment file).
class ApacheConfig {
  public:
    static ApacheConfigText read(const std::string& mainConfig, const std::string& serverRoot,
                                 const std::map<std::string, std::string>& variables = {});
};

} // namespace keepgate
