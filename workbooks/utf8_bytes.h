#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tokivane {

// The bytes a UTF-8 sequence takes by its first byte; 0 for no first byte.
qsizetype utf8SequenceLength(unsigned char lead);

// The character of a whole UTF-8 sequence of `length` bytes; 0 where it is
// malformed, overlong, a surrogate or past U+10FFFF.
char32_t utf8Character(const char* p, qsizetype length);

// Whether bytes taken a part at a time are UTF-8, a sequence cut off at the
// end of one part completed by the next.
class Utf8Parts {
  public:
    // False once a part is not UTF-8.
    bool take(QByteArrayView part);
    // Whether no sequence waits for its end.
    bool whole() const { return cut_.isEmpty(); }

  private:
    QByteArray cut_;
};

} // namespace tokivane
