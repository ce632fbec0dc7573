#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstring>

// A fixed-length text field as the radio and the data files hold it: exactly N
// single-byte characters, padded on the right with blanks, meaningful up to a NUL.
template <int N> struct FixedText {
    std::array<char, N> bytes = blank();

    static constexpr std::array<char, N> blank()
    {
        std::array<char, N> b{};
        b.fill(' ');
        return b;
    }
    static constexpr int length = N;

    // Sets the field from raw single-byte text: longer text is cut, shorter padded with blanks.
    void setRaw(const QByteArray& text)
    {
        bytes = blank();
        std::memcpy(bytes.data(), text.constData(), static_cast<std::size_t>(std::min<qsizetype>(text.size(), N)));
    }
    void set(const QString& text) { setRaw(text.toLatin1()); }
    QByteArray raw() const { return QByteArray(bytes.data(), N); }
    // The whole field as text, blanks and NULs included (Latin-1, one char per byte).
    QString text() const { return QString::fromLatin1(bytes.data(), N); }
    bool operator==(const FixedText&) const = default;
};
