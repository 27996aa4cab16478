#include "core/print/ClsPagina.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace qvmd {

namespace {

// What follows a parameter's tag byte.
enum Tag : char {
    Missing,    // nothing
    False,      // nothing
    True,       // nothing
    Int,        // 4 bytes
    Double,     // 8 bytes
    Float,      // 4 bytes: a double that a float holds exactly, as most positions in millimetres are
    String,     // a 4-byte length, then the UTF-16 units
    Latin1,     // a 4-byte length, then one byte a character: a text without characters beyond U+00FF
    Picture,    // a 4-byte index into the page's pictures
    OtherValue, // a 4-byte index into the page's other values
};

template <typename T> void put(std::vector<char>& out, T value) {
    const std::size_t at = out.size();
    out.resize(at + sizeof value);
    std::memcpy(out.data() + at, &value, sizeof value);
}

template <typename T> T take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

} // namespace

void ClsPagina::add(const ClsComandi& command) {
    const QVariant* params[] = {&command.P1, &command.P2, &command.P3, &command.P4, &command.P5};
    put(packed_, command.Comando);
    for (const QVariant* p : params) {
        switch (p->typeId()) {
        case QMetaType::UnknownType:
            packed_.push_back(Missing);
            break;
        case QMetaType::Bool:
            packed_.push_back(p->toBool() ? True : False);
            break;
        case QMetaType::Int:
            packed_.push_back(Int);
            put(packed_, std::int32_t(p->toInt()));
            break;
        case QMetaType::Double: {
            const double value = p->toDouble();
            const auto narrow = float(value);
            if (double(narrow) == value) {
                packed_.push_back(Float);
                put(packed_, narrow);
            } else {
                packed_.push_back(Double);
                put(packed_, value);
            }
            break;
        }
        case QMetaType::QString: {
            const QString text = p->toString();
            const auto length = std::size_t(text.size());
            const bool latin1 =
                std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
            packed_.push_back(latin1 ? Latin1 : String);
            put(packed_, std::int32_t(length));
            const std::size_t at = packed_.size();
            if (latin1) {
                packed_.resize(at + length);
                for (std::size_t i = 0; i < length; ++i)
                    packed_[at + i] = char(text[qsizetype(i)].unicode());
            } else {
                packed_.resize(at + length * sizeof(char16_t));
                std::memcpy(packed_.data() + at, text.utf16(), length * sizeof(char16_t));
            }
            break;
        }
        case QMetaType::QImage:
            packed_.push_back(Picture);
            put(packed_, std::uint32_t(pictures_.size()));
            pictures_.push_back(p->value<QImage>());
            break;
        default:
            packed_.push_back(OtherValue);
            put(packed_, std::uint32_t(others_.size()));
            others_.push_back(*p);
            break;
        }
    }
    ++count_;
}

void ClsPagina::shrink() {
    packed_.shrink_to_fit();
    pictures_.shrink_to_fit();
    others_.shrink_to_fit();
}

void ClsPagina::forEach(const std::function<void(const ClsComandi&)>& visit) const {
    const char* at = packed_.data();
    for (std::size_t n = 0; n < count_; ++n) {
        ClsComandi command;
        command.Comando = take<std::int16_t>(at);
        for (QVariant* p : {&command.P1, &command.P2, &command.P3, &command.P4, &command.P5}) {
            switch (*at++) {
            case False:
                *p = false;
                break;
            case True:
                *p = true;
                break;
            case Int:
                *p = int(take<std::int32_t>(at));
                break;
            case Double:
                *p = take<double>(at);
                break;
            case Float:
                *p = double(take<float>(at));
                break;
            case Latin1: {
                const auto length = take<std::int32_t>(at);
                *p = QString::fromLatin1(at, length);
                at += length;
                break;
            }
            case String: {
                const auto length = take<std::int32_t>(at);
                QString text(length, Qt::Uninitialized);
                std::memcpy(text.data(), at, std::size_t(length) * sizeof(char16_t));
                at += std::size_t(length) * sizeof(char16_t);
                *p = std::move(text);
                break;
            }
            case Picture:
                *p = pictures_[take<std::uint32_t>(at)];
                break;
            case OtherValue:
                *p = others_[take<std::uint32_t>(at)];
                break;
            default:
                break; // missing
            }
        }
        visit(command);
    }
}

std::vector<ClsComandi> ClsPagina::commands() const {
    std::vector<ClsComandi> all;
    all.reserve(count_);
    forEach([&all](const ClsComandi& command) { all.push_back(command); });
    return all;
}

std::size_t ClsPagina::heldBytes() const {
    return packed_.capacity() + pictures_.capacity() * sizeof(QImage) + others_.capacity() * sizeof(QVariant);
}

} // namespace qvmd
