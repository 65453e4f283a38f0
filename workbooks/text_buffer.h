#pragma once

#include <QChar>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <cstring>

namespace tokivane {

// Text built a few characters at a time, millions of times: written in
// place and grown by doubling, without QString's checks on every append.
class TextBuffer {
  public:
    qsizetype size() const { return size_; }
    QStringView view() const { return QStringView(text_).first(size_); }

    void append(QChar c, qsizetype count = 1) { std::fill_n(grow(count), count, c.unicode()); }
    void append(QLatin1StringView text) {
        char16_t* const to = grow(text.size());
        for (qsizetype at = 0; at < text.size(); ++at)
            to[at] = static_cast<unsigned char>(text.data()[at]);
    }
    void append(QStringView text) {
        std::memcpy(grow(text.size()), text.data(), text.size() * sizeof(char16_t));
    }

    // The text, leaving the buffer empty.
    QString take() {
        text_.truncate(size_);
        size_ = 0;
        data_ = nullptr;
        return std::move(text_);
    }

  private:
    static constexpr qsizetype kFirstSize = 4096;

    // Room for `count` more characters, where they go.
    char16_t* grow(qsizetype count) {
        if (size_ + count > text_.size()) {
            text_.resize(std::max({size_ + count, 2 * text_.size(), kFirstSize}));
            data_ = reinterpret_cast<char16_t*>(text_.data());
        }
        char16_t* const at = data_ + size_;
        size_ += count;
        return at;
    }

    QString text_;
    char16_t* data_ = nullptr;
    qsizetype size_ = 0;
};

} // namespace tokivane
