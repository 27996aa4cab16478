#include "core/print/PreviewPages.h"

namespace qvmd {

void PreviewPages::start() {
    pages_.clear();
    current_ = std::make_shared<ClsPagina>();
    open_ = true;
}

void PreviewPages::stop() {
    pages_.clear();
    current_.reset();
    open_ = false;
}

void PreviewPages::record(const ClsComandi& command) {
    if (current_)
        current_->add(command);
}

void PreviewPages::breakPage() {
    current_->shrink();
    pages_.push_back(current_);
    current_ = std::make_shared<ClsPagina>();
}

void PreviewPages::finish() {
    current_->shrink();
    if (pages_.empty() || pages_.back() != current_)
        pages_.push_back(current_);
}

const ClsPagina* PreviewPages::page(std::int32_t n) const {
    if (n < 1 || n > count())
        return nullptr;
    return pages_[std::size_t(n - 1)].get();
}

bool PreviewPages::remove(std::int32_t n) {
    if (n < 1 || n > count())
        return false;
    pages_.erase(pages_.begin() + (n - 1));
    return true;
}

} // namespace qvmd
