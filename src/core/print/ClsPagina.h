#pragma once

#include "core/print/ClsComandi.h"

#include <QImage>

#include <cstddef>
#include <functional>
#include <vector>

namespace qvmd {

// One recorded page: its commands in the order they were recorded. A contact page of a long log records
// some five hundred calls of two to five small parameters each; they are kept packed, each parameter in
// the bytes its value needs, rather than as five variants per call.
class ClsPagina {
public:
    void add(const ClsComandi& command);
    // Gives back the room kept for growth, once the page is finished.
    void shrink();

    std::size_t size() const { return count_; }
    // Each command in order, unpacked one at a time.
    void forEach(const std::function<void(const ClsComandi&)>& visit) const;
    // Every command unpacked, for inspection.
    std::vector<ClsComandi> commands() const;
    // The memory the page holds, for measuring.
    std::size_t heldBytes() const;

private:
    std::vector<char> packed_;
    std::vector<QImage> pictures_; // shared, never copied pixel by pixel
    std::vector<QVariant> others_; // a parameter of any other type, as given
    std::size_t count_ = 0;
};

} // namespace qvmd
