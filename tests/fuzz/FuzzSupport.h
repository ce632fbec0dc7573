#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// One application object and one scratch folder for the whole fuzzing run.
inline QCoreApplication& FuzzApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static auto* app = new QCoreApplication(argc, argv);
    return *app;
}

// Under TMPDIR, which scripts/fuzz.sh points into memory: every save ends with a sync to
// disk, which on a real disk makes the file targets many times slower. Removed at exit.
inline const QTemporaryDir& FuzzFolder()
{
    static const QTemporaryDir dir;
    return dir;
}

// Takes the input from the front, byte by byte; zeros once it is used up.
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    size_t remaining() const { return size_ - pos_; }
    uint8_t byte() { return empty() ? 0 : data_[pos_++]; }
    int word() { return byte() | (byte() << 8); }
    QByteArray bytes(size_t count)
    {
        count = count < remaining() ? count : remaining();
        QByteArray out(reinterpret_cast<const char*>(data_ + pos_), qsizetype(count));
        pos_ += count;
        return out;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};
