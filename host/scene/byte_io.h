// Byte sinks and sources under the scene streams: in memory, or a file through one large
// buffer, so that chunk framing costs no system call per chunk.
#pragma once
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool write(const void* data, size_t n) = 0;
    // Overwrites bytes already written (a chunk length known only at its end).
    virtual bool patch(uint64_t offset, const void* data, size_t n) = 0;
    virtual uint64_t position() const = 0;
    // Why the last write or patch failed, in words for a message.
    virtual std::string failure() const { return "write failed"; }
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to n bytes; returns how many were really read.
    virtual size_t read(void* data, size_t n) = 0;
    virtual bool skip(uint64_t n) = 0;
    virtual uint64_t position() const = 0;
    virtual uint64_t size() const = 0;
};

class MemorySink : public ByteSink {
public:
    bool write(const void* data, size_t n) override;
    bool patch(uint64_t offset, const void* data, size_t n) override;
    uint64_t position() const override { return bytes.size(); }

    std::vector<unsigned char> bytes;
};

// Reads a block of memory that the caller keeps alive.
class MemorySource : public ByteSource {
public:
    MemorySource(const void* data, size_t size);
    explicit MemorySource(const std::vector<unsigned char>& bytes);
    size_t read(void* data, size_t n) override;
    bool skip(uint64_t n) override;
    uint64_t position() const override { return pos_; }
    uint64_t size() const override { return size_; }

private:
    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

constexpr size_t FILE_BUFFER_SIZE = 1 << 20;

class FileSink : public ByteSink {
public:
    FileSink() = default;
    ~FileSink() override;
    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    bool create(const std::string& path);  // truncates an existing file
    bool write(const void* data, size_t n) override;
    bool patch(uint64_t offset, const void* data, size_t n) override;
    uint64_t position() const override { return flushed_ + buffer_.size(); }
    // Writes out the buffer, forces the data to disk and closes the file.
    bool close();
    std::string failure() const override { return failure_.empty() ? "write failed" : failure_; }

private:
    bool flush();
    bool writeAll(const unsigned char* data, size_t n);
    bool seekTo(uint64_t offset);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::vector<unsigned char> buffer_;
    uint64_t flushed_ = 0;  // bytes already in the file
    bool failed_ = false;
    std::string failure_;
};

class FileSource : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool open(const std::string& path);
    size_t read(void* data, size_t n) override;
    bool skip(uint64_t n) override;
    uint64_t position() const override { return pos_; }
    uint64_t size() const override { return size_; }

private:
    bool refill();

    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::vector<unsigned char> buffer_;
    size_t bufferPos_ = 0;  // next unread byte of buffer_
    size_t bufferEnd_ = 0;  // bytes of buffer_ that hold file data
    uint64_t pos_ = 0;      // position of the next byte to hand out
    uint64_t size_ = 0;
};

// The system's text for an error code, without the trailing line break.
std::string systemErrorText(DWORD code);

// Writes a file as a temporary one beside path, renamed over path only when write and the
// close succeeded: a failed write leaves the old file as it was. write fills the sink and
// says what went wrong; the error names the file.
bool writeFileReplacing(const std::string& path,
                        const std::function<bool(ByteSink& sink, std::string& what)>& write,
                        std::string& error);

// Writes text as the whole file, the same way.
bool writeTextFileReplacing(const std::string& path, const std::string& text, std::string& error);

// The whole file as text; false with "PATH: cannot open (REASON)" or a read failure.
bool readTextFile(const std::string& path, std::string& text, std::string& error);
