// Page reader for tests: answers each address from a table set by the test
// (empty Bytes for an address it does not know, as for a page that cannot
// be reached) and records the addresses read. Safe to use from several
// threads at once.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "net/page_reader.h"

namespace vorbel {

class FakePageReader : public PageReader {
public:
    void set_page(const std::string& url, const Bytes& body);
    Bytes read_page(const std::string& url) override;
    std::vector<std::string> reads() const;

private:
    mutable std::mutex mutex_;
    std::map<std::string, Bytes> pages_;
    std::vector<std::string> reads_;
};

}  // namespace vorbel
