#pragma once

#include "core/print/ClsPagina.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace qvmd {

// The pages recorded while preview is on: the finished pages and the one being recorded. Open from
// start() to stop(); closed, it holds nothing.
class PreviewPages {
public:
    // Drops every page and opens a first, empty one.
    void start();
    // Drops every page and closes.
    void stop();
    bool isOpen() const { return open_; }

    // Adds a command to the page being recorded; only while open.
    void record(const ClsComandi& command);
    // Finishes the page being recorded and opens the next.
    void breakPage();
    // Finishes the page being recorded, once: ending twice must not list the same page twice.
    void finish();

    // The finished pages; 0 when closed.
    std::int32_t count() const { return std::int32_t(pages_.size()); }
    // Page n, from 1; null for a number outside the finished pages.
    const ClsPagina* page(std::int32_t n) const;
    // Removes page n; false for a number outside the finished pages.
    bool remove(std::int32_t n);

private:
    std::vector<std::shared_ptr<ClsPagina>> pages_;
    std::shared_ptr<ClsPagina> current_;
    bool open_ = false;
};

} // namespace qvmd
